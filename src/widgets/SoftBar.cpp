#include "widgets/SoftBar.h"

int CSoftBar::Load(std::string_view)
{
    return 0;
}

void CSoftBar::Layout()
{
}

int CSoftBar::GetEntry(int, std::string&, std::string&, std::string&) const
{
    return 1;
}

int CSoftBar::HitTest() const
{
    return -1;
}
