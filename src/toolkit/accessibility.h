#pragma once

// What assistive technology (a screen reader over AT-SPI) is told about the toolkit's own
// controls. Qt knows its combo boxes; our painted labels and rich-text boxes it would see as
// nameless surfaces.
namespace toolkit {

// Labels are static text named by their caption, or buttons with a press action when they
// act as one; rich-text boxes are static text named by their plain text. Installing twice
// changes nothing.
void installAccessibility();

} // namespace toolkit
