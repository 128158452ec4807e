#include "platform/web/DefaultStyle.h"

#include <litehtml.h>

namespace plat::web {

namespace {

// Block structure, spacing and emphasis of the usual elements; text is
// 12 px 宋体, the size the program's own captions use.
constexpr const char* kDefaultStyle = R"css(
html, address, blockquote, body, dd, div, dl, dt, fieldset, form, frame, frameset,
h1, h2, h3, h4, h5, h6, noframes, ol, p, ul, center, dir, hr, menu, pre, header,
footer, nav, section, article, aside, main, figure, figcaption { display: block; }
head, script, style, title, meta, link, base, noscript, template { display: none; }
html { background-color: #ffffff; }
body { margin: 8px; color: #000000; font-family: 宋体; font-size: 12px; line-height: normal; }
li { display: list-item; }
table { display: table; border-collapse: separate; border-spacing: 2px; }
thead { display: table-header-group; }
tbody { display: table-row-group; }
tfoot { display: table-footer-group; }
tr { display: table-row; }
td, th { display: table-cell; padding: 1px; vertical-align: inherit; }
th { font-weight: bold; text-align: center; }
caption { display: table-caption; text-align: center; }
table[border] { border: 1px solid #808080; }
table[border] td, table[border] th { border: 1px solid #c0c0c0; }
col { display: table-column; }
colgroup { display: table-column-group; }
h1 { font-size: 2em; margin: .67em 0; font-weight: bold; }
h2 { font-size: 1.5em; margin: .75em 0; font-weight: bold; }
h3 { font-size: 1.17em; margin: .83em 0; font-weight: bold; }
h4 { margin: 1.12em 0; font-weight: bold; }
h5 { font-size: .83em; margin: 1.5em 0; font-weight: bold; }
h6 { font-size: .75em; margin: 1.67em 0; font-weight: bold; }
p, blockquote, ul, ol, dl, fieldset, form, menu, dir { margin: 1.12em 0; }
blockquote { margin-left: 40px; margin-right: 40px; }
b, strong { font-weight: bold; }
i, cite, em, var, address { font-style: italic; }
pre, tt, code, kbd, samp { font-family: monospace; }
pre { white-space: pre; }
big { font-size: 1.17em; }
small, sub, sup { font-size: .83em; }
sub { vertical-align: sub; }
sup { vertical-align: super; }
s, strike, del { text-decoration: line-through; }
u, ins { text-decoration: underline; }
center { text-align: center; }
hr { border: 1px inset; margin: .5em auto; }
ol, ul, dir, menu, dd { margin-left: 40px; }
ol { list-style-type: decimal; }
ul { list-style-type: disc; }
ol ul, ul ol, ul ul, ol ol { margin-top: 0; margin-bottom: 0; }
a:link, a:visited { color: #0000cc; text-decoration: underline; cursor: pointer; }
img { display: inline-block; }
br { display: block; }
)css";

}

litehtml::context& DefaultStyleContext()
{
    // Never freed: pages may still be torn down while the process exits.
    static litehtml::context* context = [] {
        auto* made = new litehtml::context;
        made->load_master_stylesheet(kDefaultStyle);
        return made;
    }();
    return *context;
}

}
