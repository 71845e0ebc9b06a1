#pragma once

// What assistive technology (a screen reader over AT-SPI) is told about the toolkit's own
// controls. Qt knows its combo boxes; our painted labels and rich-text boxes it would see as
// nameless surfaces.

class QWidget;

namespace toolkit {

// Labels are static text named by their caption, or buttons with a press action when they
// act as one; rich-text boxes are static text named by their plain text. Installing twice
// changes nothing.
//
// Frames, and every widget whose class declares
//     Q_CLASSINFO("AccessibleChildren", "ReadingOrder")
// give their children in reading order: top to bottom, and left to right along a line,
// whatever order they are stacked in. Left out are the children that a sighted reader does
// not meet: hidden, of no size, lying beneath another control, decoration, static text
// without words, and those kept from assistive technology below.
void installAccessibility();

// A control that paints only a piece of what another control's accessible name already says
// (a caption drawn as "r" and a small "1"): never offered on its own.
void keepFromAssistiveTechnology(QWidget *control);

} // namespace toolkit
