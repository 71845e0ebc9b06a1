#pragma once

#include <cstdint>

// The lesson's colours, written as the design writes them (&H00BBGGRR, made QColors by
// toolkit::bgr), and the places on its page that more than one handler sets, in centimetres.
namespace look {

constexpr uint32_t kPaleGreen = 0x00DCFFD5; // the page and every box on it
constexpr uint32_t kBlue = 0x00FF0000;      // prompts, the lists' captions, PQ and its length, buttons at rest
constexpr uint32_t kRed = 0x000000FF;       // the circles, P and Q, a button under the pointer; Next blinks both
constexpr uint32_t kGreen = 0x0000C000;     // the common region and the centres
constexpr uint32_t kDarkGreen = 0x00008000; // Q's centre as PQ is chosen
constexpr uint32_t kDeepGreen = 0x00004000; // the help arrow's shaft
constexpr uint32_t kMagenta = 0x00FF00FF;   // the help arrow's head; a list to choose from, blinking
constexpr uint32_t kCyan = 0x00FFFF00;      // the other half of that blink
constexpr uint32_t kYellow = 0x0000FFFF;    // the case that holds
constexpr uint32_t kLightYellow = 0x00C0FFFF; // the highlight sentence
constexpr uint32_t kDarkBlue = 0x00C00000;  // lblPQ's lines, the line over the cases, coinciding circles
constexpr uint32_t kPurple = 0x00C000C0;    // the help text
constexpr uint32_t kOlive = 0x0000683C;     // the page border's outer lines
constexpr uint32_t kTeal = 0x00808000;      // the border's inner line
constexpr uint32_t kBlack = 0x00000000;      // the heading, the case sentences
constexpr uint32_t kIconBorder = 0x003C6800; // a bluer green than the page border's

// The page border's height (of its thick line): the whole page, or down to the lists only
// while they are being chosen from.
constexpr float kFullBorder = 17.595f;
constexpr float kShortBorder = 7.595f;

// The heading "Tarvolen in R²", wherever a page shows it.
constexpr double kHeadingLeft = 3.175;
constexpr double kHeadingTop = 1.482;

// lblPQ: the invitation at the foot of the first page, the PQ prompt at the top of the next.
constexpr double kInvitationTop = 15;
constexpr double kPromptTop = 0.106;

// How far the digit of r1 and r2 is lowered, in twips: in prompts and the "Suppose"
// sentences, and in the case sentences and the highlight sentence.
constexpr int kDigitDrop = -60;
constexpr int kCaseDigitDrop = -80;

} // namespace look
