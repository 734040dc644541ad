#pragma once
// The one shape of every --json output: an object that begins
// {"format": 1, "archive": PATH, then the command's own keys. "format"
// grows when a key changes its meaning, so that a script can refuse what it
// does not know.
#include <QByteArray>
#include <QString>

namespace tools {

constexpr int JsonFormat = 1;

// text as a JSON string, quotes included.
QByteArray JsonString(const QString& text);

// {"format": 1, "archive": PATH — without the closing brace.
QByteArray JsonHead(const QString& archive);

// {"format": 1, "error": TEXT} and a newline: what a refused archive gives.
QByteArray JsonError(const QString& text);

}  // namespace tools
