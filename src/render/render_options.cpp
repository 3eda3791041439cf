#include "render/render_options.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

const char kUsage[] =
    "quirl32-render [FILE.qrl] [options]\n"
    "  -o, --output FILE.png    the picture as the window shows it (palette resolved)\n"
    "  --size WxH               client area in pixels (default 252x232; sides up to 65535,\n"
    "                           at most 4 GiB of picture at 4 bytes a pixel)\n"
    "  --method recursion|linescan|random    (default recursion)\n"
    "  --scheme standard|grayscale|bw        (default standard)\n"
    "  --do COMMAND             repeatable; each runs in order, after the computation\n"
    "                           before it has finished, as the user's command would:\n"
    "                           unzoom | undo | compute | stop | zoom=L,T,R,B (a rubber-band\n"
    "                           drag over that client rectangle) | iterations=N (the preset\n"
    "                           when N is one, else \"other...\" with the text N) |\n"
    "                           specify=XMIN,XMAX,YMIN,YMAX,POINTS (Selection dialog, OK) |\n"
    "                           method=NAME | scheme=NAME | resize=WxH\n"
    "  --steps N                at most N steps per computation (default: until the\n"
    "                           view has no work; the random method: 1000)\n"
    "  --threads N              worker threads that compute ahead of the steps, as in\n"
    "                           the window (default: the machine's processors); the\n"
    "                           picture is the same for every N\n"
    "  --stats                  print one line: steps, iterations, the longest single\n"
    "                           idle call and the total time of the computations\n"
    "  --indices FILE.pgm       each client pixel's palette index as a plain PGM (P2,\n"
    "                           maxval 255); 255 where the pixel holds no palette index\n"
    "  --info                   print the Info dialog's texts, one a line:\n"
    "                           From: ... / To: ... / Iterations: ... / Zoom: ... / Time used: "
    "...\n"
    "  --save FILE.qrl          save the set after the last command (with the fitted xMax)\n"
    "  --version                print the version and exit\n"
    "  -h, --help               print this help and exit\n"
    "Exit status: 0 on success; 1 when a file cannot be read or written, a --do command\n"
    "is disabled or the program reports a failure (its message goes to stderr); 2 for\n"
    "options it does not understand.\n";

// A whole decimal integer, optional sign, within [lo, hi].
std::optional<long> ParseInteger(const std::string& text, long lo, long hi) {
    if (text.empty() || text.size() > 20)
        return std::nullopt;
    std::size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (i == text.size())
        return std::nullopt;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9')
            return std::nullopt;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || v < lo || v > hi)
        return std::nullopt;
    return long(v);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// Reads WxH; the reason, naming option, when it is no size the renderer takes.
std::string ParseSize(const std::string& option, const std::string& text, int& width, int& height) {
    const std::vector<std::string> parts = Split(text, 'x');
    std::optional<long> w, h;
    if (parts.size() == 2 && !parts[0].empty() && !parts[1].empty() && parts[0][0] != '+' &&
        parts[1][0] != '+') {
        w = ParseInteger(parts[0], 1, kMaxRenderSide);
        h = ParseInteger(parts[1], 1, kMaxRenderSide);
    }
    if (!w || !h)
        return option + " needs WxH with sides 1 to " + std::to_string(kMaxRenderSide) + ": '" +
               text + "'";
    const unsigned long long bytes = 4ull * (unsigned long long)(*w) * (unsigned long long)(*h);
    if (bytes > kMaxRenderPictureBytes) {
        char size[32];
        std::snprintf(size, sizeof size, "%.1f", double(bytes) / double(1ull << 30));
        return option + " " + text + ": the picture would take " + size + " GiB, more than the " +
               std::to_string(kMaxRenderPictureBytes >> 30) + " GiB allowed";
    }
    width = int(*w);
    height = int(*h);
    return {};
}

std::optional<ComputeMethod> ParseMethod(const std::string& name) {
    if (name == "recursion")
        return Recursion;
    if (name == "linescan")
        return LineScan;
    if (name == "random")
        return Random;
    return std::nullopt;
}

std::optional<PaletteScheme> ParseScheme(const std::string& name) {
    if (name == "standard")
        return Standard;
    if (name == "grayscale")
        return Grayscale;
    if (name == "bw")
        return BlackWhite;
    return std::nullopt;
}

// The reason when text is no valid --do command.
std::string ParseCommand(const std::string& text, RenderCommand& c) {
    c.text = text;
    const std::size_t eq = text.find('=');
    const std::string name = text.substr(0, eq);
    const bool hasValue = eq != std::string::npos;
    const std::string value = hasValue ? text.substr(eq + 1) : std::string();

    const struct {
        const char* name;
        RenderCommand::Kind kind;
    } plain[] = {{"unzoom", RenderCommand::Unzoom},
                 {"undo", RenderCommand::Undo},
                 {"compute", RenderCommand::Compute},
                 {"stop", RenderCommand::Stop}};
    for (const auto& p : plain) {
        if (name != p.name)
            continue;
        if (hasValue)
            return "--do " + name + " takes no value";
        c.kind = p.kind;
        return {};
    }

    if (name == "zoom") {
        c.kind = RenderCommand::Zoom;
        const std::vector<std::string> parts = Split(value, ',');
        if (!hasValue || parts.size() != 4)
            return "--do zoom needs four integers L,T,R,B: '" + text + "'";
        for (std::size_t i = 0; i < 4; ++i) {
            const auto v = ParseInteger(parts[i], -kMaxRenderSide * 4, kMaxRenderSide * 4);
            if (!v)
                return "--do zoom needs four integers L,T,R,B: '" + text + "'";
            c.rect[i] = int(*v);
        }
        return {};
    }
    if (name == "iterations") {
        c.kind = RenderCommand::Iterations;
        if (!hasValue)
            return "--do iterations needs a value: iterations=N";
        c.iterations = value;
        return {};
    }
    if (name == "specify") {
        c.kind = RenderCommand::Specify;
        const std::vector<std::string> parts = Split(value, ',');
        if (!hasValue || parts.size() != 5)
            return "--do specify needs five values XMIN,XMAX,YMIN,YMAX,POINTS: '" + text + "'";
        for (std::size_t i = 0; i < 5; ++i)
            c.fields[i] = parts[i];
        return {};
    }
    if (name == "method") {
        c.kind = RenderCommand::Method;
        const auto m = ParseMethod(value);
        if (!hasValue || !m)
            return "unknown method '" + value + "' in --do " + text;
        c.method = *m;
        return {};
    }
    if (name == "scheme") {
        c.kind = RenderCommand::Scheme;
        const auto s = ParseScheme(value);
        if (!hasValue || !s)
            return "unknown scheme '" + value + "' in --do " + text;
        c.scheme = *s;
        return {};
    }
    if (name == "resize") {
        c.kind = RenderCommand::Resize;
        return ParseSize("--do resize", value, c.width, c.height);
    }
    return "unknown --do command '" + text + "'";
}

RenderParseResult Fail(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

} // namespace

const char* RenderUsage() {
    return kUsage;
}

RenderParseResult ParseRenderOptions(const std::vector<std::string>& args) {
    RenderOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::optional<std::string> inlineValue;
        if (arg.size() > 2 && arg[0] == '-' && arg[1] == '-') {
            const std::size_t eq = arg.find('=');
            if (eq != std::string::npos) {
                inlineValue = arg.substr(eq + 1);
                arg = arg.substr(0, eq);
            }
        }
        // The value of an option that takes one.
        auto value = [&](std::string& out) -> bool {
            if (inlineValue) {
                out = *inlineValue;
                return true;
            }
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };
        auto noValue = [&] { return !inlineValue.has_value(); };

        std::string v;
        if (arg == "-h" || arg == "--help") {
            if (!noValue())
                return Fail(arg + " takes no value");
            o.help = true;
        } else if (arg == "--version") {
            if (!noValue())
                return Fail("--version takes no value");
            o.version = true;
        } else if (arg == "-o" || arg == "--output") {
            if (!value(v) || v.empty())
                return Fail(arg + " needs a file name");
            o.outputPng = v;
        } else if (arg == "--size") {
            if (!value(v))
                return Fail("--size needs WxH");
            const std::string reason = ParseSize("--size", v, o.width, o.height);
            if (!reason.empty())
                return Fail(reason);
        } else if (arg == "--method") {
            if (!value(v))
                return Fail("--method needs recursion, linescan or random");
            const auto m = ParseMethod(v);
            if (!m)
                return Fail("unknown method '" + v + "' (recursion, linescan or random)");
            o.method = *m;
        } else if (arg == "--scheme") {
            if (!value(v))
                return Fail("--scheme needs standard, grayscale or bw");
            const auto s = ParseScheme(v);
            if (!s)
                return Fail("unknown scheme '" + v + "' (standard, grayscale or bw)");
            o.scheme = *s;
        } else if (arg == "--do") {
            if (!value(v))
                return Fail("--do needs a command");
            RenderCommand c;
            const std::string reason = ParseCommand(v, c);
            if (!reason.empty())
                return Fail(reason);
            o.commands.push_back(c);
        } else if (arg == "--steps") {
            if (!value(v))
                return Fail("--steps needs a number");
            const auto n = ParseInteger(v, 0, LONG_MAX);
            if (!n)
                return Fail("--steps needs a whole number of 0 or more: '" + v + "'");
            o.steps = *n;
        } else if (arg == "--threads") {
            if (!value(v))
                return Fail("--threads needs a number");
            const auto n = ParseInteger(v, 1, kMaxRenderThreads);
            if (!n)
                return Fail("--threads needs a whole number from 1 to " +
                            std::to_string(kMaxRenderThreads) + ": '" + v + "'");
            o.threads = int(*n);
        } else if (arg == "--stats") {
            if (!noValue())
                return Fail("--stats takes no value");
            o.stats = true;
        } else if (arg == "--indices") {
            if (!value(v) || v.empty())
                return Fail("--indices needs a file name");
            o.indicesPgm = v;
        } else if (arg == "--info") {
            if (!noValue())
                return Fail("--info takes no value");
            o.info = true;
        } else if (arg == "--save") {
            if (!value(v) || v.empty())
                return Fail("--save needs a file name");
            o.saveFile = v;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Fail("unknown option '" + args[i] + "'");
        } else {
            if (!o.inputFile.empty())
                return Fail("only one set file may be given, not also '" + arg + "'");
            o.inputFile = arg;
        }
    }
    return {std::move(o), {}};
}
