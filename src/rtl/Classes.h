#pragma once
// Objects, components, lists, string lists, collections and streams.
#include "rtl/SysUtils.h"

#include <functional>

// Root of the framework's class tree; virtual so objects are freed through it.
class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
