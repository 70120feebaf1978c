#include "browse/HomePage.h"

#include "base/Settings.h"

namespace zemora {

std::string homePageHtml()
{
    std::string html = R"html(<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>Zemora浏览器主页</title>
<style>
body { font-family: sans-serif; margin: 2em auto; max-width: 40em; color: #333; }
h1 { color: #8a6d3b; font-size: 1.6em; }
ul { line-height: 1.8; }
a { color: #1a5fb4; }
</style></head>
<body>
<h1>欢迎使用 Zemora浏览器 (Welcome)</h1>
<p>在地址栏输入网址或网站名称，按回车或点击 “GO...” 即可打开。
(Type an address or a site name in the address box and press Enter or “GO...”.)</p>
<ul>
)html";
    // Portal captions and addresses are our own constants: nothing here needs escaping.
    for (const Portal& portal : kPortals)
        html.append("<li><a href=\"").append(portal.address).append("\">")
            .append(portal.caption).append("</a></li>\n");
    html += R"html(</ul>
<p>收藏夹中的网站可从地址栏右侧的下拉列表打开。(Favorites open from the drop-down list.)</p>
</body></html>
)html";
    return html;
}

} // namespace zemora
