#include "ChildRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryFile>
#include <chrono>
#include <vector>

namespace toolkitbench {

// /usr/bin/time reports the peak: a child's own peak would start at this
// benchmark's size, which it shares until its program starts.
ChildResult RunChild(const QString& folder, const QString& program, const QStringList& arguments) {
  QTemporaryFile peak;
  peak.open();
  std::vector<QByteArray> words{"/usr/bin/time",           "-f", "%M", "-o", QFile::encodeName(peak.fileName()),
                                QFile::encodeName(program)};
  for (const QString& argument : arguments) words.push_back(QFile::encodeName(argument));
  std::vector<char*> argv;
  for (QByteArray& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
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
  ::waitpid(child, &status, 0);
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.peakMiB = peak.readAll().trimmed().toDouble() / 1024.0;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

QString CommandText(const QString& program, const QStringList& arguments) {
  return (QStringList{program} + arguments).join(' ');
}

}  // namespace toolkitbench
