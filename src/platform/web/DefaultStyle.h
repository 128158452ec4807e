#pragma once

// The layout engine's context with the panel's default style sheet (what
// every page gets before its own styles), made once and shared by every page.

namespace litehtml {
class context;
}

namespace plat::web {

litehtml::context& DefaultStyleContext();

}
