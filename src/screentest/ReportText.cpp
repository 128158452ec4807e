#include "screentest/ReportText.h"

#include <cstdio>

namespace {

// A JSON string literal; control characters escaped, the rest as UTF-8.
std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string JsonOrNull(const std::string& text)
{
    return text.empty() ? "null" : JsonString(text);
}

std::string NumberOrNull(int value)
{
    return value > 0 ? std::to_string(value) : "null";
}

std::string Html(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string HtmlOrUnknown(const std::string& text)
{
    return text.empty() ? "未知" : Html(text);
}

}

std::string HexColor(plat::COLORREF color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", plat::GetRValue(color), plat::GetGValue(color), plat::GetBValue(color));
    return text;
}

std::string ReportJson(const MonitorIdentity& m, const std::vector<DefectMark>& marks)
{
    std::string json = "{\"monitor\": {\"index\": " + std::to_string(m.index) + ", \"name\": " + JsonOrNull(m.name)
        + ", \"width\": " + NumberOrNull(m.width) + ", \"height\": " + NumberOrNull(m.height)
        + ", \"maker\": " + JsonOrNull(m.maker) + ", \"model\": " + JsonOrNull(m.model)
        + ", \"serial\": " + JsonOrNull(m.serial) + ", \"made\": " + JsonOrNull(m.made) + "},\n \"marks\": [";
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const DefectMark& mark = marks[i];
        json += i == 0 ? "\n  " : ",\n  ";
        json += "{\"x\": " + std::to_string(mark.at.x) + ", \"y\": " + std::to_string(mark.at.y) + ", \"pattern\": "
            + JsonString(mark.pattern) + ", \"step\": " + std::to_string(mark.step) + ", \"color\": "
            + JsonString(HexColor(mark.color)) + "}";
    }
    return json + (marks.empty() ? "]}\n" : "\n ]}\n");
}

std::string ReportHtml(const MonitorIdentity& m, const std::vector<DefectMark>& marks, const std::string& date)
{
    std::string size = m.width > 0 ? std::to_string(m.width) + " x " + std::to_string(m.height) : "未知";
    std::string page = "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>坏点报告 - "
        + Html(m.name) + "</title>\n<style>body{font-family:sans-serif;margin:2em}table{border-collapse:collapse}"
                         "td,th{border:1px solid #888;padding:2px 8px;text-align:right}</style>\n</head>\n<body>\n"
        + "<h1>坏点报告</h1>\n<table>\n"
        + "<tr><th>显示器</th><td>" + std::to_string(m.index) + ": " + HtmlOrUnknown(m.name) + "</td></tr>\n"
        + "<tr><th>分辨率</th><td>" + size + "</td></tr>\n"
        + "<tr><th>厂商</th><td>" + HtmlOrUnknown(m.maker) + "</td></tr>\n"
        + "<tr><th>型号</th><td>" + HtmlOrUnknown(m.model) + "</td></tr>\n"
        + "<tr><th>序列号</th><td>" + HtmlOrUnknown(m.serial) + "</td></tr>\n"
        + "<tr><th>生产日期</th><td>" + HtmlOrUnknown(m.made) + "</td></tr>\n"
        + "<tr><th>测试日期</th><td>" + Html(date) + "</td></tr>\n</table>\n"
        + "<h2>标记 (" + std::to_string(marks.size()) + ")</h2>\n<table>\n"
        + "<tr><th>编号</th><th>位置</th><th>图案</th><th>步骤</th><th>颜色</th></tr>\n";
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const DefectMark& mark = marks[i];
        page += "<tr><td>" + std::to_string(i + 1) + "</td><td>" + std::to_string(mark.at.x) + ", "
            + std::to_string(mark.at.y) + "</td><td>" + Html(mark.pattern) + "</td><td>" + std::to_string(mark.step)
            + "</td><td>" + HexColor(mark.color) + "</td></tr>\n";
    }
    page += "</table>\n<h2>位置图</h2>\n<p><img src=\"map.png\" alt=\"位置图\"></p>\n</body>\n</html>\n";
    return page;
}
