#pragma once
// Ids of the information windows: processor (104), video card name (136),
// system information (138), options (139), description (146).
