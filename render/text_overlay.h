// The on-screen text: messages, status and the pause sign, drawn onto the
// window after the composite, from the glyph atlas Textures/glyphs.png.
#pragma once

#include <vector>

#include "render/glyph_layout.h"

struct FIBITMAP;

// Reads the advances and ink boxes out of a decoded atlas (32 bits,
// FreeImage's bottom-up rows). False when the image is not laid out as the
// atlas must be.
bool readGlyphSet(FIBITMAP* atlas, GlyphSet& glyphs);

// Loads the atlas and builds the text program from Shaders/textShader. A
// missing or broken atlas prints "\nALERT" as any image does; without atlas
// or program the text is simply not drawn. Needs the GL context.
void createTextOverlay();

bool isTextOverlayReady();

// Draws the blocks over whatever the bound framebuffer holds, in a window of
// renderState().windowWidth x renderState().windowHeight.
void drawTextOverlay(const std::vector<TextBlock>& blocks);

// Draws quads already placed in window pixels (panels, shapes, then glyphs).
void drawPlacedText(const PlacedText& text);

// The atlas's glyphs; all empty until the overlay is created.
const GlyphSet& overlayGlyphs();

// Deletes the GL objects. Needs the GL context.
void destroyTextOverlay();

// Forgets the GL objects without touching GL, for when the context is gone.
void forgetTextOverlay();
