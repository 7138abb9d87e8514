#pragma once
// The framework's variant: a value of any of the simple types (an integer,
// a Boolean, a text ...), unassigned until set.
#include <QVariant>

using Variant = QVariant;
