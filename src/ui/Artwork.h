#pragma once

class QIcon;
class QImage;
class QPixmap;

// The program's own pictures, drawn in code so that the program needs no image files.

/// The splash window's picture, 448 x 298.
QPixmap splashPicture();
/// The About window's picture, 402 x 272, with a dark field behind its "Close" control.
QPixmap aboutPicture();
/// The program's icon, in the sizes window systems ask for.
QIcon programIcon();
/// The icon at `size` x `size` pixels. The installed icon files are made from it, and
/// data/velmora.svg draws the same design.
QImage programIconImage(int size);
