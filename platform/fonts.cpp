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

FontHandle createFont(const FontSpec& spec)
{
    QFont font;
    const QString face = spec.face ? QString::fromUtf8(spec.face) : QString();
    if (spec.pitch == FontPitch::Fixed) {
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
    font.setWeight(spec.weight > 0 ? static_cast<QFont::Weight>(qBound(100, spec.weight, 900))
                                   : QFont::Normal);
    font.setItalic(spec.italic);

    if (spec.height < 0) {
        font.setPixelSize(-spec.height);
    } else if (spec.height > 0) {
        // A cell height: the largest pixel size whose line height still fits in it.
        int size = spec.height;
        font.setPixelSize(size);
        while (size > 1 && QFontMetrics(font).height() > spec.height)
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
