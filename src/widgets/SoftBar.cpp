#include "widgets/SoftBar.h"

int CSoftBar::Load(std::string_view)
{
    return 0;
}

void CSoftBar::Layout()
{
}
