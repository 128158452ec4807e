#pragma once

// Static controls: text (plain or with a sunken edge; lines wrap at the
// control's width; "&" is shown as is when the template says noprefix) or
// an icon. They take no mouse input: clicks fall through to the parent.

#include "platform/ui/Wnd.h"

namespace plat {

class Static : public Wnd { };

}
