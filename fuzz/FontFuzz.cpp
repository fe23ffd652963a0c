// The bitmap font file, "Font\\0.fnt", served by the engine from the fuzz input with one page
// picture. A font that loads is measured and drawn, every way, with a text cut from the input's end:
// so the glyph codes of the file's own records are likely to be in it. One font object serves every
// input, as one font is loaded over again in the program: its glyph table is too big to make anew
// for each input.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/resources/Font.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/RecordingEngine.h"

using namespace GF;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CRecordingEngine engine;
    static const THolder<HGENS::CFont> font(new HGENS::CFont);
    engine.ClearRecord();
    engine.AddResource("Font\\0.fnt", std::vector<unsigned char>(data, data + size));
    engine.AddResource("Font\\0\\0_000.png", "page");
    engine.SetTextureSize("Font\\0\\0_000.png", 32, 16);
    {
        font->SetTracking(0);
        font->SetLineSpacing(0);
        font->SetRotation(0.0f);
        font->SetScale({1.0f, 1.0f});
        if (font->Load(0)) {
            WString text = u"\\n";
            for (size_t i = size > 64 ? size - 64 : 0; i + 1 < size; i += 2)
                text.push_back(static_cast<WChar>(data[i] << 8 | data[i + 1]));
            text += u"\\n";

            const float width = font->GetStringWidth(text);
            FUZZ_CHECK(width == width);  // widths add whole advances: never NaN
            font->SetTracking(2);
            font->SetLineSpacing(-3);
            for (int align : {IFont::kAlignLeft, IFont::kAlignCenter, IFont::kAlignRight}) {
                font->Render(10.0f, 20.0f, text, align);
                TTransform transform;
                transform.scaleX = 2.0f;
                for (int valign : {IFont::kVAlignTop, IFont::kVAlignBase, IFont::kVAlignCenter})
                    font->RenderTransformed(transform, text, align, valign, 2);
            }
            font->SetRotation(0.5f);
            font->SetScale({1.5f, 0.5f});
            font->Printf(0.0f, 0.0f, "%s", "AB\\nC");
            font->Render(0.0f, 0.0f, text, IFont::kAlignLeft);
        }
    }
    FUZZ_CHECK(engine.outstandingBlocks == 0);
    return 0;
}
