#include "platform/fonts.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QString>
#include <cstring>

#include "platform/draw_context_internal.h"
#include "platform/draw_context_qt.h"

namespace platform {

// Faces the dialogs were designed with that the system has no copy of; each
// stands for the system's sans-serif font.
static bool isClassicSansFace(const QString& face)
{
    static const char* const faces[] = {"ms sans serif", "microsoft sans serif", "ms shell dlg",
                                        "ms shell dlg 2", "arial", "tahoma", "verdana",
                                        "segoe ui", "helvetica"};
    const QString lower = face.toLower();
    for (const char* known : faces)
        if (lower == QLatin1String(known))
            return true;
    return false;
}

FontHandle createFont(const FontSpec& desc)
{
    QFont font;
    const QString face = desc.face ? QString::fromUtf8(desc.face) : QString();
    if (desc.pitch == FontPitch::Fixed) {
        font.setFamily(QStringLiteral("Monospace"));
        font.setStyleHint(QFont::Monospace);
        font.setFixedPitch(true);
    } else if (face.isEmpty() || isClassicSansFace(face)) {
        font.setFamily(QStringLiteral("Sans Serif"));
        font.setStyleHint(QFont::SansSerif);
    } else {
        font.setFamily(face);
        font.setStyleHint(QFont::SansSerif);
    }
    font.setWeight(desc.weight > 0 ? static_cast<QFont::Weight>(qBound(100, desc.weight, 900))
                                   : QFont::Normal);
    font.setItalic(desc.italic);

    if (desc.height < 0) {
        font.setPixelSize(-desc.height);
    } else if (desc.height > 0) {
        // A cell height: the largest pixel size whose line height still fits in it.
        int size = desc.height;
        font.setPixelSize(size);
        while (size > 1 && QFontMetrics(font).height() > desc.height)
            font.setPixelSize(--size);
    }
    return new PlatformFont{font};
}

void destroyFont(FontHandle font)
{
    delete font;
}

QFont fontOf(FontHandle font)
{
    return font ? font->font : QFont();
}

int fontLineHeight(FontHandle font)
{
    return QFontMetrics(fontOf(font)).height();
}

bool fontFamily(FontHandle font, char* out, int size)
{
    if (!out || size <= 0)
        return false;
    const QByteArray family = QFontInfo(fontOf(font)).family().toUtf8();
    const int n = qMin(static_cast<int>(family.size()), size - 1);
    std::memcpy(out, family.constData(), static_cast<size_t>(n));
    out[n] = '\0';
    return true;
}

}  // namespace platform
