#include "ChildRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <chrono>
#include <vector>

namespace toolkitbench {

ChildResult RunChild(const QString& folder, const QString& program, const QStringList& arguments) {
  std::vector<QByteArray> words{QFile::encodeName(program)};
  for (const QString& argument : arguments) words.push_back(QFile::encodeName(argument));
  std::vector<char*> argv;
  for (QByteArray& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  // posix_spawn shares no memory with the child before the exec, so its peak
  // is its program's own.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, QFile::encodeName(folder).constData());
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int error = ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ChildResult result;
  if (error) return result;
  int status = 0;
  struct rusage usage {};
  ::wait4(child, &status, 0, &usage);
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.peakMiB = usage.ru_maxrss / 1024.0;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

QString CommandText(const QString& program, const QStringList& arguments) {
  return (QStringList{program} + arguments).join(' ');
}

}  // namespace toolkitbench
