// The pages of the help window.

#include "platform/qt/dialogs/help_window.h"

#include <map>

namespace {

const char* const kStyle = R"(<style>
body { font-family: sans-serif; }
h1 { font-size: large; }
h2 { font-size: medium; }
p.nav { font-size: small; }
</style>)";

const char* const kNav = R"(<p class="nav"><a href="index.html">Contents</a></p>)";

struct Page {
    const char* title;
    const char* body;
};

const std::map<QString, Page>& Pages() {
    static const std::map<QString, Page> pages = {
        {QStringLiteral("index.html"), {"Quirl32 Help", R"(
<p>Quirl32 draws the Mandelbrot set and lets you explore it. Every set has
its own window; the picture is computed a little at a time while the program
waits for you, so you can keep working while it grows.</p>
<h2>Contents</h2>
<ul>
<li><a href="windows.html">Set windows</a></li>
<li><a href="zoom.html">Zooming in</a></li>
<li><a href="unzoom.html">Unzoom and Undo</a></li>
<li><a href="specify.html">Typing the rectangle</a></li>
<li><a href="methods.html">Computation methods, Compute! and Stop!</a></li>
<li><a href="iterations.html">Iterations</a></li>
<li><a href="colors.html">Colours</a></li>
<li><a href="info.html">Information about a set</a></li>
<li><a href="files.html">Set files, copying and printing</a></li>
<li><a href="using-help.html">Using this help</a></li>
</ul>)"}},
        {QStringLiteral("windows.html"), {"Set windows", R"(
<p>The main window holds any number of set windows. <b>File &gt; New</b>
(Ctrl+N) opens a new window with the whole set: the real axis from -2.1 to
1.5 and the imaginary axis from -1.2 to 1.2. New windows are named Quirl31,
Quirl32 and so on until they are saved.</p>
<p>Resize a window to get a bigger picture: the set is fitted to the new
size and computed again from scratch. The picture always keeps square
pixels, so the right edge of the real range follows the window's width.
Resizing forgets the last zoom for <a href="unzoom.html">Undo</a>.</p>
<p>New windows open one below the other from the top-left corner of the
main window and start at the corner again before they would leave it.
<b>Window &gt; Cascade</b> lines the windows up the same way, each keeping
its size and its picture; <b>Tile</b> and <b>Arrange Icons</b> put them in
order too. The end of the <b>Window</b> menu lists the open windows, the
active one checked; choose one to bring it to the front. With more than
nine, <b>More Windows...</b> offers them all. Ctrl+F6 goes to the next
window, Ctrl+Shift+F6 to the previous one, and Ctrl+F4 closes the active
window. The toolbar and the status bar can be hidden from the
<b>View</b> menu while no set window is open.</p>)"}},
        {QStringLiteral("zoom.html"), {"Zooming in", R"(
<p>Press the left mouse button in a set window and drag a rectangle around
the part you want to see. When you let go, that part is stretched over the
whole window at once as a preview, and the sharp picture is computed over
it.</p>
<p>The height of your rectangle decides the new scale; the width is then
taken from the window, so that pixels stay square. Press Esc or the right
mouse button while dragging to cancel. A click without dragging does
nothing.</p>)"}},
        {QStringLiteral("unzoom.html"), {"Unzoom and Undo", R"(
<p><b>Set &gt; Unzoom</b> doubles the width and the height of the shown
rectangle around its centre.</p>
<p><b>Edit &gt; Undo</b> (Ctrl+Z or Alt+Backspace) goes back to the
rectangle before the last zoom, Unzoom or Specify. There is one step of
undo: after it, Undo is greyed until you change the rectangle again.
Resizing the window also clears it. Undo brings back the rectangle only,
not the iteration limit.</p>)"}},
        {QStringLiteral("specify.html"), {"Typing the rectangle", R"(
<p><b>Set &gt; Specify...</b> opens the Selection dialog with the current
real and imaginary ranges and the number of random points. Type new values
and press OK to show that rectangle; Cancel changes nothing.</p>
<p>Text that is not a number counts as 0. The real maximum you type is
adjusted to the window's shape when the picture is computed.</p>
<p><i>Random points</i> is the number of pixels the Random method computes
in one step.</p>)"}},
        {QStringLiteral("methods.html"), {"Computation methods", R"(
<p><b>Options &gt; Method</b> chooses how a window computes its picture:</p>
<ul>
<li><b>Recursion</b> divides the picture into rectangles. A rectangle whose
border has one colour is filled at once; others are split in four. This is
the fastest way to a complete picture.</li>
<li><b>Line-scan</b> computes the pixels one by one, row after row.</li>
<li><b>Random</b> computes random pixels and never finishes on its own; stop
it with Stop!.</li>
</ul>
<p><b>Set &gt; Compute!</b> starts the computation again from the beginning;
<b>Set &gt; Stop!</b> ends it. Compute! is available only while nothing is
being computed, Stop! only while something is.</p>)"}},
        {QStringLiteral("iterations.html"), {"Iterations", R"(
<p>A point belongs to the set when it does not escape within the iteration
limit. <b>Options &gt; Iterations</b> offers the limits 50, 100, 120, 150,
200 and 255; <b>other...</b> lets you type any number. Higher limits show
finer detail near the edge of the set and take longer.</p>
<p>A new limit starts a running computation over. If nothing is being
computed, the picture stays as it is until you choose Compute!.</p>)"}},
        {QStringLiteral("colors.html"), {"Colours", R"(
<p><b>Options &gt; Colors</b> sets the colours of all windows at once:
<b>Standard</b> fades through yellow, red, violet, cyan, blue and white;
<b>Grayscale</b> uses shades of grey; <b>B/W</b> alternates black and white.
The pictures take the new colours at once, also while they are computed.
The choice is not kept when the program ends.</p>)"}},
        {QStringLiteral("info.html"), {"Information about a set", R"(
<p><b>Set &gt; Info...</b> shows the rectangle of the current window as two
complex numbers (its top-left and bottom-right corners), the iteration
limit, the zoom in dots per unit and the time the last complete computation
took. While a computation runs, and with the Random method, the time reads
"timer reset or not finished".</p>)"}},
        {QStringLiteral("files.html"), {"Set files, copying and printing", R"(
<p><b>File &gt; Save</b> and <b>Save As...</b> store the current rectangle,
the iteration limit and the number of random points in a small file with
the extension .qrl. <b>File &gt; Open...</b> opens such a file in a new
window and computes its picture; the last three files are listed at the
end of the File menu. You can also drop .qrl files on the main window.
Nothing asks you to save when you close a window.</p>
<p><b>Edit &gt; Copy</b> (Ctrl+C) puts the picture on the clipboard as an
image. <b>File &gt; Print...</b> prints it at its size on the screen at the
top-left corner of the page, every pixel as it is; a picture too large for
the page is made smaller to fit, keeping its proportions. <b>Print
Preview</b> shows the page first. Without a printer, printing writes a PDF
file, and <b>Print Setup...</b> chooses its paper size, orientation and
margins.</p>)"}},
        {QStringLiteral("using-help.html"), {"Using this help", R"(
<p>Click an underlined link to go to another page. <b>Back</b> and
<b>Forward</b> move through the pages you have seen, and <b>Contents</b>
returns to the list of topics. <b>Help &gt; Index</b> in the main window
opens the contents at any time.</p>
<p>Keep this window open beside the explorer while you work; it does not
stop the computation.</p>)"}},
    };
    return pages;
}

} // namespace

QString HelpPage(const QString& name) {
    const auto it = Pages().find(name);
    if (it == Pages().end())
        return {};
    return QStringLiteral(
               "<html><head><title>%1</title>%2</head><body><h1>%1</h1>%3%4</body></html>")
        .arg(QString::fromUtf8(it->second.title), QString::fromUtf8(kStyle),
             QString::fromUtf8(it->second.body),
             name == QStringLiteral("index.html") ? QString() : QString::fromUtf8(kNav));
}
