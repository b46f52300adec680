#pragma once

// Stored lengths (window place and size, panel width, layout sizes) are in twips:
// 1/1440 inch, 15 to a pixel at 96 dots per inch.
constexpr int Twips = 15;
