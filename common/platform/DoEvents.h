#pragma once

namespace platform {

// Lets pending window events run (a Cancel click among them).
void DoEvents();

}  // namespace platform
