#include "reports/dataexport.h"

namespace kelvara {

void exportData(QWidget *, const TextTable &, const TextTable &, int) {}

} // namespace kelvara
