#pragma once
// The commands of skarrow2-dat. Each takes the arguments after its name and
// returns the exit status.
#include <QStringList>

namespace tools {

int RunInfo(const QStringList& arguments);
int RunList(const QStringList& arguments);
int RunTest(const QStringList& arguments);
int RunExtract(const QStringList& arguments);
int RunCat(const QStringList& arguments);
int RunCreate(const QStringList& arguments);
int RunAdd(const QStringList& arguments);
int RunDelete(const QStringList& arguments);

}  // namespace tools
