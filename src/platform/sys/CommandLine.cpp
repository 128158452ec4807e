#include "platform/sys/CommandLine.h"

namespace plat {

std::vector<std::string> SplitCommandLine(std::string_view text)
{
    std::vector<std::string> args;
    std::string current;
    bool inArg = false;
    bool quoted = false;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inArg)
                args.push_back(std::move(current));
            current.clear();
            inArg = false;
            ++i;
            continue;
        }
        inArg = true;
        if (c == '\\') {
            std::size_t run = 0;
            while (i < text.size() && text[i] == '\\') {
                ++run;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                current.append(run / 2, '\\');
                if (run % 2 == 1) {
                    current += '"';
                    ++i;
                }
            } else {
                current.append(run, '\\');
            }
            continue;
        }
        if (c == '"') {
            // A doubled quote inside a quoted run is a literal quote.
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                current += '"';
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArg)
        args.push_back(std::move(current));
    return args;
}

std::string QuoteArgument(std::string_view arg)
{
    std::string text = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
        } else {
            // Backslashes before a quote are doubled and the quote escaped.
            if (c == '"')
                text.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        text += c;
    }
    // So are those before the closing quote.
    text.append(backslashes, '\\');
    return text + '"';
}

}
