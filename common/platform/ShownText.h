#pragma once
// Text fit for a terminal or a message: a name from an archive or a folder
// may hold bytes that drive a terminal (ESC, BEL, C1 controls) or forge a
// line (CR, LF). Each control character is shown escaped ("\n", "\r", "\t",
// the rest as "\x1b"), and so is each byte of a path that is not UTF-8 (see
// PathBytes). A backslash stays as it is: it is the archive's separator, in
// almost every name, and shown doubled no name could be typed back.
#include <QString>
#include <QStringView>

namespace platform {

QString ShownText(QStringView text);

}  // namespace platform
