#include "tools/JsonOutput.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace tools {

QByteArray JsonString(const QString& text) {
  const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return array.mid(1, array.size() - 2);
}

QByteArray JsonHead(const QString& archive) {
  return "{\"format\": " + QByteArray::number(JsonFormat) + ", \"archive\": " + JsonString(archive);
}

QByteArray JsonError(const QString& text) {
  return "{\"format\": " + QByteArray::number(JsonFormat) + ", \"error\": " + JsonString(text) + "}\n";
}

}  // namespace tools
