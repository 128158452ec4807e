#include "UiTestSupport.h"

namespace uitest {

LV_BEGIN_MESSAGE_MAP(TestDialog, plat::Dialog)
    LV_ON_BN_CLICKED(1000, OnPush)
    LV_ON_BN_CLICKED(1001, OnOwner)
    LV_ON_BN_CLICKED(1002, OnHidden)
    LV_ON_BN_CLICKED(1003, OnCheck)
    LV_ON_WM_TIMER()
    LV_ON_WM_SYSCOMMAND()
    LV_ON_WM_ERASEBKGND()
    LV_ON_WM_PAINT()
LV_END_MESSAGE_MAP()

}
