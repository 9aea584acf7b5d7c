#pragma once
// The program's compiled-in pictures, under ":/assets/" (see assets.qrc):
//   :/assets/splash.png                     the splash picture, 215 x 299, 256 colours
//   :/assets/lexoria.png, lexoria-32.png,
//   :/assets/lexoria-16.png                 the window icon at 256, 32 and 16 pixels
//   :/assets/tb-<name>.png                  a 24 x 24 toolbar icon; QIcon takes the 48 x 48
//                                           tb-<name>@2x.png on its own on high-DPI screens
//
// A program that links lexoria_assets has them registered before main() runs.
