#include "artwork.h"

// The web panel renders with a plain rich-text viewer: basic HTML, a few
// inline styles, no scripts; a table is what takes a top margin there. Its
// 897 x 65 pixel panel starts 48 pixels left of the window, hence the wider
// left padding.
QString panelPage() {
    return QStringLiteral(R"(<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<title>publ</title>
</head>
<body bgcolor="#ffffff" style="font-family: 'DejaVu Sans', Arial, sans-serif;">
<table width="100%" cellspacing="0" cellpadding="0" style="margin-top: 20px;">
<tr><td align="center" style="padding-left: 64px; padding-right: 32px; font-size: 10pt; color: #0000ff;"><b><span style="color: #ff8000;">Marvolia</span></b> &#8212; pick your photos, choose copies and sizes, and your print order is ready for the lab.</td></tr>
</table>
</body>
</html>
)");
}

QString helpPage() {
    return QStringLiteral(R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Marvolia help</title>
<style>
body { margin: 0; font-family: 'DejaVu Sans', Verdana, Arial, sans-serif; font-size: 15px;
       line-height: 1.5; color: #222222; background: #ffffff; }
.top { background: #1240c4; border-bottom: 3px solid #ff8000; color: #ffffff; }
.top td { padding: 18px 32px; }
.top h1 { margin: 0; font-size: 28px; color: #ffffff; }
.top p { margin: 4px 0 0 0; color: #dde6ff; }
main { max-width: 860px; padding: 8px 32px 32px 32px; }
h2 { color: #0000ff; border-bottom: 1px solid #ffc080; padding-bottom: 2px; margin-top: 28px; }
nav ul { padding-left: 20px; columns: 2; }
a { color: #0000ff; }
code, kbd { font-family: 'DejaVu Sans Mono', monospace; background: #f2f4fa;
            border: 1px solid #d8deee; border-radius: 3px; padding: 0 4px; }
.note { background: #fff4e8; border-left: 4px solid #ff8000; padding: 8px 14px; }
.button { font-weight: bold; color: #ff8000; }
</style>
</head>
<body>
<table class="top" width="100%" cellspacing="0" bgcolor="#1240c4"><tr><td>
<h1>Marvolia help</h1>
<p>Put together a photo print order: pick the photos, choose copies and sizes, and hand the order to your photo lab.</p>
</td></tr></table>
<main>

<nav>
<ul>
<li><a href="#what">What Marvolia does</a></li>
<li><a href="#browse">Browsing drives and folders</a></li>
<li><a href="#preview">Previewing a photo</a></li>
<li><a href="#add">Adding photos to the order</a></li>
<li><a href="#grid">The selection grid</a></li>
<li><a href="#edit">Changing copies and size, removing a photo</a></li>
<li><a href="#projects">Saving and opening projects</a></li>
<li><a href="#list">Writing the order list</a></li>
<li><a href="#copy">Copying the order to a folder</a></li>
<li><a href="#trouble">When something goes wrong</a></li>
</ul>
</nav>

<h2 id="what">What Marvolia does</h2>
<p>Marvolia helps you choose which of your photos to have printed. You browse your folders,
look at each JPEG picture, and pick the ones you want. For every picked photo you set the
number of copies and the print size. The finished order can be kept as a project, written out
as a simple list for the lab, or gathered in a folder together with copies of the photos, ready
to be burned to a disc or carried on a memory stick.</p>
<p>The five buttons at the top of the window are, from left to right:
<span class="button">Open</span> a project, <span class="button">Save</span> the project,
<span class="button">Copy</span> the order to a folder, write the order
<span class="button">List</span>, and this <span class="button">Help</span>.</p>

<h2 id="browse">Browsing drives and folders</h2>
<p>The <b>Photo Selection</b> frame on the left holds three lists:</p>
<ul>
<li>the <b>drive</b> list at the top: the root of the file system, your home folder and any
mounted disc or memory stick;</li>
<li>the <b>folder</b> list below it: double click a folder to open it, or one of the folders
above it to go back up;</li>
<li>the <b>file</b> list: the JPEG files (<code>.jpg</code>, in any letter case) of the chosen
folder. The line above it, <i>Cantidad:</i>, tells how many there are.</li>
</ul>
<p>When you open a folder that holds pictures, the first one is shown at once.</p>

<h2 id="preview">Previewing a photo</h2>
<p>Click a file in the file list to see it in the <b>Preview</b> frame. When the file list
has the focus, the <kbd>Up</kbd> and <kbd>Down</kbd> arrow keys step through the pictures one by
one, each shown as you reach it. A small bar appears while a large picture is being prepared.</p>
<p>Two small icons sit in the top right corner of the preview:</p>
<ul>
<li><b>Rotate</b> (the turning arrow) turns the preview a quarter turn clockwise; click again
to keep turning. Only the preview turns: your file is not changed, and the print is made from
the file as it is.</li>
<li><b>View in default image viewer</b> (the JPG icon) opens the picture in the image viewer
of your desktop, where you can look at it full size.</li>
</ul>

<h2 id="add">Adding photos to the order</h2>
<p>To add a photo, <b>double click</b> its name in the file list, or <b>click the preview</b>
picture. The photo appears as a new row of the grid on the right, with one copy of the size
10x15. You can add the same photo more than once; each row is independent. An order can hold
up to 999 photos.</p>

<h2 id="grid">The selection grid</h2>
<p>The grid on the right lists the photos of your order, one row each:</p>
<ul>
<li><b>Photo</b>: a small thumbnail of the picture;</li>
<li><b>File</b>: where the picture lies on your computer;</li>
<li><b>Copies</b>: how many prints you want;</li>
<li><b>Size</b>: the print size in centimetres, such as 10x15 or 13x18.</li>
</ul>
<p>The title of the frame counts the photos, for example <i>3 Photos Selected</i>. When the
list grows long, the grid scrolls to show the photo you just added.</p>

<h2 id="edit">Changing copies and size, removing a photo</h2>
<p>Click a row of the grid. A small window opens with the file's path, the picture, and two
boxes:</p>
<ul>
<li><b>Copies</b>: choose 1 to 10 from the list, or type any other number;</li>
<li><b>Size</b>: choose 10x15, 13x18, 15x21, 20x25, 20x30 or 30x45, or type another size
your lab offers.</li>
</ul>
<p>Press <b>Ok</b> to keep the new values, or <b>Remove</b> to take the photo out of the order;
the photos below it move up one row. Closing the small window with its close box changes
nothing.</p>
<p class="note">Copies <b>0</b> means that the photo stays in the project but is not printed:
it is left out of the order list and is not copied to the order folder. This is handy for a
photo you are still unsure about. When a project is opened, such a row shows a red sign in its
Copies cell.</p>

<h2 id="projects">Saving and opening projects</h2>
<p>An unfinished order can be kept as a <b>project</b> and taken up again later.</p>
<ul>
<li><span class="button">Save</span> asks for a file name and writes the project, a small
file with the extension <code>.mvl</code>. Next time in the same session the name you chose is
proposed again.</li>
<li><span class="button">Open</span> asks for a <code>.mvl</code> file and loads it, replacing
the photos in the grid. If the grid already holds photos, Marvolia first asks <i>Do you want to
save actual proyect ?</i>: answer <b>Yes</b> to save them first, <b>No</b> to let them go, or
<b>Cancel</b> to keep working on them and open nothing. While a project loads, a
<i>Loading...</i> note and a bar show how far it has come.</li>
</ul>
<p>A project remembers where each photo lies. If you move or rename a photo afterwards, Marvolia
tells you when it opens the project.</p>

<h2 id="list">Writing the order list</h2>
<p><span class="button">List</span> writes the order as a text file. Choose a name and a place;
Marvolia writes one line for every photo to be printed, confirms with <i>File generated. Click
'Ok' to view the list.</i>, and opens the list in your text viewer. A line looks like this:</p>
<p><code>File: a.jpg, Copies: 2, Size: 13x18</code></p>
<p>Photos with copies 0 are left out. The list names each photo by its file name only, so keep
the list together with the photos when you hand them to the lab, or use the next command.</p>

<h2 id="copy">Copying the order to a folder</h2>
<p><span class="button">Copy</span> gathers the whole order in one folder:</p>
<ol>
<li>choose the folder where the order should go (an empty folder is best);</li>
<li>choose the name of the order list;</li>
<li>Marvolia copies every photo to be printed into that folder, writes the list beside them,
and opens the folder so you can see the result.</li>
</ol>
<p>If two photos from different folders have the same name, both are kept: the second is saved
as <code>a (2).jpg</code>, the third as <code>a (3).jpg</code>. Photos with copies 0 are not copied.</p>

<h2 id="trouble">When something goes wrong</h2>
<p>If a file cannot be read or written, for example a photo that was moved or deleted, a
damaged picture, a full disk or a folder you may not write to, Marvolia shows a message titled
<b>Marvolia</b> that names the file and says what went wrong. The action then stops and
<b>nothing is lost</b>: your order stays as it was, and a file that could not be written in
full is left as it was before.</p>

</main>
</body>
</html>
)");
}
