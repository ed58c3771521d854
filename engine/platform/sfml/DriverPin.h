#pragma once
// Under AddressSanitizer, keeps the GL driver loaded until the leak check at
// exit, so that its own leaks are suppressed by its name. Nothing otherwise.
namespace ReEng {

void PinGLDriver();

}  // namespace ReEng
