#include "help/HelpPrinting.h"

#include "help/Help.h"

namespace ambrel {

bool printHelp() {
    ::Help()->Close();
    return true;
}

} // namespace ambrel
