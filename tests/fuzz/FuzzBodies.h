#pragma once
// What each fuzz target does with one input, shared by the libFuzzer targets
// and by the test that replays the inputs once found (the regression
// inputs under tests/fixtures/<area>/regress/). A clean refusal of an input
// is fine; a crash, a sanitizer report, an exception that escapes or a
// broken invariant (checked with FuzzExpect) is a finding.
#include <QByteArray>
#include <QString>

namespace fuzzbodies {

// The fixtures folder (descriptions and standard definitions); set once
// before the first input.
void SetFixtures(const QString& Folder);

// "IOLink_SetAccess.xml" loaded for eight ports, with the fixture
// descriptions in the "IODD" folder and without them: checked, built into
// images, saved, loaded again and saved again (the two saves must be equal).
void SetAccessFile(const QByteArray& Bytes);
// A device description inserted into a port: every process-data alternative
// built, every entry enabled, checked, saved, loaded and built into images.
void Description(const QByteArray& Bytes);
// "ParGen.xml" read by the image builder and by the IO-Link core.
void ParGenFile(const QByteArray& Bytes);
// "Pantovisor.xml" read and written.
void SettingsFile(const QByteArray& Bytes);
// A language file read, then every pattern of the text table formatted.
void LanguageFile(const QByteArray& Bytes);

} // namespace fuzzbodies
