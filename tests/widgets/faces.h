#pragma once

#include <QColor>

#include <array>

// The rows of the four face images of a 73 x 25 button (71 x 23 each), worked out by hand
// from the band arithmetic: 64 bands, band k from row round(k * 23 / 64), the first row of each
// later band in the colour of the band before it.
namespace faces {

inline constexpr std::array<QRgb, 23> kBackground = {
    qRgb(255, 255, 255), qRgb(254, 254, 254), qRgb(254, 253, 253), qRgb(253, 252, 252),
    qRgb(252, 252, 251), qRgb(251, 251, 250), qRgb(251, 250, 249), qRgb(250, 249, 248),
    qRgb(249, 248, 247), qRgb(249, 247, 245), qRgb(248, 246, 244), qRgb(247, 245, 244),
    qRgb(247, 245, 242), qRgb(246, 244, 241), qRgb(245, 243, 240), qRgb(244, 242, 239),
    qRgb(244, 241, 238), qRgb(243, 240, 237), qRgb(242, 239, 236), qRgb(242, 238, 235),
    qRgb(241, 237, 234), qRgb(240, 237, 233), qRgb(240, 236, 232)};

inline constexpr std::array<QRgb, 23> kHover = {
    qRgb(255, 243, 206), qRgb(254, 239, 196), qRgb(253, 236, 190), qRgb(252, 231, 180),
    qRgb(251, 227, 170), qRgb(250, 222, 160), qRgb(249, 218, 150), qRgb(248, 215, 144),
    qRgb(247, 211, 134), qRgb(245, 206, 124), qRgb(244, 202, 114), qRgb(244, 199, 108),
    qRgb(242, 194, 98),  qRgb(241, 190, 88),  qRgb(240, 185, 78),  qRgb(239, 181, 69),
    qRgb(238, 178, 62),  qRgb(237, 174, 52),  qRgb(236, 169, 43),  qRgb(235, 165, 33),
    qRgb(234, 160, 23),  qRgb(233, 157, 16),  qRgb(232, 153, 7)};

inline constexpr std::array<QRgb, 23> kPressed = {
    qRgb(214, 207, 198), qRgb(216, 209, 200), qRgb(217, 210, 201), qRgb(218, 212, 203),
    qRgb(220, 213, 204), qRgb(221, 215, 206), qRgb(223, 217, 208), qRgb(224, 218, 209),
    qRgb(226, 220, 211), qRgb(227, 221, 213), qRgb(229, 223, 214), qRgb(230, 224, 216),
    qRgb(231, 226, 217), qRgb(233, 228, 219), qRgb(234, 229, 221), qRgb(236, 231, 223),
    qRgb(237, 232, 224), qRgb(239, 234, 226), qRgb(240, 236, 227), qRgb(242, 237, 229),
    qRgb(243, 239, 231), qRgb(244, 240, 232), qRgb(246, 242, 234)};

inline constexpr std::array<QRgb, 23> kFocus = {
    qRgb(206, 231, 255), qRgb(201, 226, 254), qRgb(198, 223, 254), qRgb(194, 218, 253),
    qRgb(189, 214, 252), qRgb(184, 209, 251), qRgb(180, 204, 251), qRgb(177, 201, 250),
    qRgb(172, 196, 249), qRgb(168, 192, 249), qRgb(163, 187, 248), qRgb(160, 184, 247),
    qRgb(155, 179, 247), qRgb(151, 174, 246), qRgb(146, 170, 245), qRgb(141, 165, 244),
    qRgb(138, 162, 244), qRgb(134, 157, 243), qRgb(129, 152, 242), qRgb(124, 148, 242),
    qRgb(120, 143, 241), qRgb(117, 140, 240), qRgb(112, 135, 240)};

} // namespace faces
