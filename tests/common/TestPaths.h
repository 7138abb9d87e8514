#pragma once
// Where the tests find their fixtures and the published real-device files.
#include <QString>

namespace testpaths {

// tests/fixtures in the source tree.
QString Fixtures();
// A file below tests/fixtures.
QString Fixture(const QString& relative);
// ../shared/data beside the project; empty when that folder is absent.
QString SharedData();

} // namespace testpaths
