#pragma once
#include <memory>

namespace tallyhold {

class Main_Container;

// Start-up: the frame with its state (an empty DATFiles, window slots 0 to
// 255), shown. From then on the program runs on window events alone.
std::unique_ptr<Main_Container> Main();

}  // namespace tallyhold
