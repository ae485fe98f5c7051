#include "windows/demonstration.h"

#include "windows/quincunxform.h"

namespace kelvara {

Demonstration::Demonstration(QuincunxForm &mainWindow) : m_main(mainWindow) {}

void Demonstration::start() {}

} // namespace kelvara
