#include "platform/host/controlbase.h"

#include "platform/desktop/desktopshell.h"
#include "platform/units/syscolours.h"
#include "platform/units/twips.h"

#include <QPainter>
#include <QShortcut>

namespace {

Shell* desktopShell() {
    static DesktopShell shell;
    return &shell;
}

bool validPointer(std::int16_t pointer) {
    return (pointer >= 0 && pointer <= 15) || pointer == 99;
}

Qt::CursorShape pointerShape(std::int16_t pointer) {
    switch (pointer) {
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
    case 15:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case 11:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

double scaleToPixels(double value, ControlBase::ScaleUnit unit, bool vertical) {
    using U = ControlBase::ScaleUnit;
    switch (unit) {
    case U::User:
    case U::Pixels:
        return value;
    case U::Twips:
        return value / kTwipsPerPixel;
    case U::Points:
        return value * 96.0 / 72.0;
    case U::Characters:
        return value * (vertical ? 240.0 : 120.0) / kTwipsPerPixel;
    case U::Inches:
        return value * 96.0;
    case U::Millimeters:
        return value * 96.0 / 25.4;
    case U::Centimeters:
        return value * 96.0 / 2.54;
    case U::Himetric:
        return value * 96.0 / 2540.0;
    }
    return value;
}

double scaleFromPixels(double pixels, ControlBase::ScaleUnit unit, bool vertical) {
    return pixels / scaleToPixels(1.0, unit, vertical);
}

ControlBase::ControlBase(QWidget* parent) : QWidget(parent), m_shell(desktopShell()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ControlBase::~ControlBase() = default;

QImage& ControlBase::hDC() {
    if (m_surface.size() != size()) {
        m_surface = QImage(size(), QImage::Format_RGB32);
        m_surface.fill(colourFromValue(m_backColor));
    }
    return m_surface;
}

void ControlBase::setAutoRedraw(bool on) {
    m_autoRedraw = on;
    if (!on)
        update();
}

void ControlBase::Cls() {
    hDC().fill(colourFromValue(m_backColor));
}

void ControlBase::setBaseBackColor(std::uint32_t colour, bool clear) {
    m_backColor = colour;
    if (clear)
        Cls();
}

void ControlBase::setBaseFont(const FontPtr& font) {
    if (font)
        m_font = font;
}

bool ControlBase::baseEnabled() const {
    return !testAttribute(Qt::WA_ForceDisabled);
}

void ControlBase::setBaseEnabled(bool enabled) {
    QWidget::setEnabled(enabled);
}

ControlError ControlBase::setBaseMousePointer(std::int16_t pointer) {
    if (!validPointer(pointer))
        return ControlError::InvalidPropertyValue;
    m_mousePointer = pointer;
    applyPointer();
    return ControlError::None;
}

void ControlBase::setBaseMouseIcon(const PicturePtr& icon) {
    m_mouseIcon = icon;
    applyPointer();
}

QCursor ControlBase::customPointer() const {
    if (m_mouseIcon && !m_mouseIcon->image().isNull())
        return QCursor(QPixmap::fromImage(m_mouseIcon->image()));
    return QCursor(Qt::ArrowCursor);
}

void ControlBase::applyPointer() {
    if (m_mousePointer == 0)
        unsetCursor();
    else if (m_mousePointer == 99)
        setCursor(customPointer());
    else
        setCursor(pointerShape(m_mousePointer));
}

double ControlBase::ScaleWidth() const {
    return scaleFromPixels(width(), m_scaleMode, false);
}

double ControlBase::ScaleHeight() const {
    return scaleFromPixels(height(), m_scaleMode, true);
}

double ControlBase::ScaleX(double width, ScaleUnit from, ScaleUnit to) const {
    return scaleFromPixels(scaleToPixels(width, from, false), to, false);
}

double ControlBase::ScaleY(double height, ScaleUnit from, ScaleUnit to) const {
    return scaleFromPixels(scaleToPixels(height, from, true), to, true);
}

int ControlBase::Width() const {
    return pixelsToTwips(width());
}

int ControlBase::Height() const {
    return pixelsToTwips(height());
}

void ControlBase::setWidth(int twips) {
    resize(twipsToPixels(twips), height());
}

void ControlBase::setHeight(int twips) {
    resize(width(), twipsToPixels(twips));
}

QString ControlBase::ambientDisplayName() const {
    return m_ambientDisplayName.isEmpty() ? objectName() : m_ambientDisplayName;
}

void ControlBase::setAmbientDisplayName(const QString& name) {
    m_ambientDisplayName = name;
    UserControl_AmbientChanged(QStringLiteral("DisplayName"));
}

void ControlBase::setAmbientFont(const FontAttributes& font) {
    m_ambientFont = font;
    UserControl_AmbientChanged(QStringLiteral("Font"));
}

void ControlBase::setAmbientUserMode(std::optional<bool> userMode) {
    m_ambientUserMode = userMode;
    UserControl_AmbientChanged(QStringLiteral("UserMode"));
}

int ControlBase::extenderLeft() const {
    return pixelsToTwips(x());
}

int ControlBase::extenderTop() const {
    return pixelsToTwips(y());
}

void ControlBase::setAccessKeys(const QString& keys) {
    m_accessKeys = keys;
    qDeleteAll(m_shortcuts);
    m_shortcuts.clear();
    for (const QChar key : keys) {
        auto* shortcut = new QShortcut(
            QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.toUpper().unicode()))), this);
        const auto press = [this, key] {
            std::int16_t keyAscii = static_cast<std::int16_t>(key.unicode());
            UserControl_AccessKeyPress(keyAscii);
        };
        // Two controls with one key take turns, as the platform does.
        connect(shortcut, &QShortcut::activated, this, press);
        connect(shortcut, &QShortcut::activatedAmbiguously, this, press);
        m_shortcuts.append(shortcut);
    }
}

void ControlBase::setShell(Shell* shell) {
    m_shell = shell ? shell : desktopShell();
}

ControlError ControlBase::NavigateTo(const QString& target, const QString& location,
                                     const QString& frameName) {
    Q_UNUSED(location);
    Q_UNUSED(frameName);
    return m_shell->navigate(target) ? ControlError::None : ControlError::NavigationFailed;
}

void ControlBase::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_surface.size() == size())
        painter.drawImage(0, 0, m_surface);
    else
        painter.fillRect(rect(), colourFromValue(m_backColor));
}
