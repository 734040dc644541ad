#include "tests/support/PlatformRecorders.h"

#include "common/platform/EndProgram.h"
#include "common/platform/ShellOpen.h"

namespace testsupport {

EndProgramRecorder::EndProgramRecorder() {
  platform::SetEndProgramHandler([this](int) { ++calls_; });
}

EndProgramRecorder::~EndProgramRecorder() { platform::SetEndProgramHandler(nullptr); }

ShellOpenRecorder::ShellOpenRecorder() {
  platform::SetShellOpenHandler([this](const QString& address) { addresses_.append(address); });
}

ShellOpenRecorder::~ShellOpenRecorder() { platform::SetShellOpenHandler(nullptr); }

}  // namespace testsupport
