#include "xpbutton/xpbutton.h"

#include "platform/desktop/shell.h"
#include "xpbutton/buttongeometry.h"
#include "xpbutton/face/buttonpainter.h"

#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <limits>

namespace {

// The hand cursor points with its topmost opaque pixel.
QPoint fingertip(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 127)
                return {x, y};
        }
    }
    return {-1, -1};
}

PicturePtr handPicture() {
    const QImage image(QStringLiteral(":/xpbutton/hand.png"));
    return image.isNull() ? nullptr : OlePicture::icon(image);
}

} // namespace

XpButton::XpButton(QWidget* parent) : ControlBase(parent) {
    // The control's design gives the base the custom pointer.
    setBaseMousePointer(99);
    setScaleMode(ScaleUnit::Pixels);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    g_Font = OleFont::create();
    adoptFont(g_Font);

    m_OverTimer = new QTimer(this);
    m_OverTimer->setInterval(10);
    connect(m_OverTimer, &QTimer::timeout, this, [this] { report(OverTimer_Timer()); });
    m_imgHAND = handPicture();
    installAccessibility();
}

XpButton::~XpButton() = default;

void XpButton::adoptFont(const FontPtr& font) {
    if (g_Font)
        disconnect(g_Font.get(), nullptr, this, nullptr);
    g_Font = font;
    connect(g_Font.get(), &OleFont::fontChanged, this, &XpButton::g_Font_FontChanged);
}

void XpButton::g_Font_FontChanged(const QString& PropertyName) {
    Q_UNUSED(PropertyName);
    setBaseFont(g_Font);
    report(Refresh());
}

void XpButton::report(ControlError error) {
    if (error != ControlError::None)
        emit errorRaised(describe(error));
}

template <typename T> void XpButton::store(T& field, const T& value, const char* name) {
    field = value;
    PropertyChanged(QLatin1String(name));
}

template <typename T>
ControlError XpButton::storeAndRedraw(T& field, const T& value, const char* name) {
    store(field, value, name);
    return Refresh();
}

ButtonState XpButton::currentState() const {
    ButtonState s;
    s.ButtonStyle = m_ButtonStyle;
    s.BackColor = m_BackColor;
    s.ForeColor = m_ForeColor;
    s.BEVEL = m_BEVEL;
    s.BEVELDEPTH = m_BEVELDEPTH;
    s.TransparentBG = m_TransparentBG;
    s.XPDefaultColors = m_XPDefaultColors;
    s.XPColor_Hover = m_XPColor_Hover;
    s.XPColor_Pressed = m_XPColor_Pressed;
    s.XPShowBorderAlways = m_XPShowBorderAlways;
    s.ShowFocusRect = m_ShowFocusRect;
    s.Enabled = baseEnabled();
    s.Caption = m_Caption;
    s.PicturePosition = m_PicturePosition;
    s.Picture = m_Picture;
    s.PictureWidth = m_PictureWidth;
    s.PictureHeight = m_PictureHeight;
    s.OriginalPicSizeW = m_OriginalPicSizeW;
    s.OriginalPicSizeH = m_OriginalPicSizeH;
    s.MaskColor = m_MaskColor;
    s.Font = baseFont()->toQFont();
    s.g_HasFocus = g_HasFocus;
    s.g_Pressed = g_Pressed;
    s.g_Hover = g_Hover;
    s.g_Width = g_Width;
    s.g_Height = g_Height;
    s.g_FocusRect = g_FocusRect;
    s.ScaleWidth = ScaleWidth();
    s.ScaleHeight = ScaleHeight();
    s.UserMode = ambientUserMode();
    s.ExtenderDefault = extenderDefault();
    s.PositionInParent = pos();
    // A parent with a background picture offers it as its "Picture" property.
    if (const QWidget* parent = parentWidget()) {
        const QVariant picture = parent->property("Picture");
        if (picture.canConvert<QImage>())
            s.ParentPicture = picture.value<QImage>();
    }
    return s;
}

ControlError XpButton::Refresh() {
    setAutoRedraw(true);
    m_draw.FaceColor = baseBackColor();
    m_draw.BaseForeColor = baseForeColor();
    const ButtonState state = currentState();
    m_drawBeforeLast = m_draw;
    const RefreshError error = paintButton(hDC(), state, m_draw);
    // Style 2 changes the base's face colour; the surface already shows it.
    setBaseBackColor(m_draw.FaceColor, false);
    m_lastDrawn = state;
    ++m_refreshCount;
    announcePressed();
    if (error == RefreshError::Overflow)
        return ControlError::Overflow;
    setAutoRedraw(false);
    return ControlError::None;
}

QImage XpButton::sharpSurface(qreal ratio) {
    if (ratio <= 1)
        return surface();
    if (m_sharpOfRefresh != m_refreshCount || m_sharp.devicePixelRatio() != ratio ||
        m_sharp.isNull()) {
        ButtonDrawState draw = m_drawBeforeLast;
        m_sharp = paintButtonAtRatio(surface().size(), m_lastDrawn, draw, ratio);
        m_sharpOfRefresh = m_refreshCount;
    }
    return m_sharp;
}

void XpButton::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (ratio <= 1 || m_refreshCount == 0 || surface().size() != size()) {
        ControlBase::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), sharpSurface(ratio));
}

void XpButton::press() {
    if (!baseEnabled())
        return;
    const QPointer<XpButton> alive(this);
    emit Click();
    if (alive)
        report(GoToURL());
}

bool XpButton::Enabled() const {
    return baseEnabled();
}

ControlError XpButton::setEnabled(bool value) {
    setBaseEnabled(value);
    PropertyChanged(QStringLiteral("Enabled"));
    return Refresh();
}

ControlError XpButton::setFont(const FontPtr& font) {
    if (!font)
        return ControlError::ObjectRequired;
    // Copy first: the given object may be g_Font itself.
    const FontAttributes given = font->attributes();
    const bool bold = font->Bold();
    g_Font->setName(given.name);
    g_Font->setSize(given.size);
    g_Font->setBold(bold);
    g_Font->setItalic(given.italic);
    g_Font->setUnderline(given.underline);
    g_Font->setStrikethrough(given.strikethrough);
    PropertyChanged(QStringLiteral("Font"));
    return ControlError::None;
}

quintptr XpButton::hwnd() const {
    return static_cast<quintptr>(effectiveWinId());
}

ControlError XpButton::setMousePointer(std::int32_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        return ControlError::Overflow;
    if (const ControlError error = setBaseMousePointer(static_cast<std::int16_t>(value));
        error != ControlError::None)
        return error;
    PropertyChanged(QStringLiteral("MousePointer"));
    return ControlError::None;
}

void XpButton::setMouseIcon(const PicturePtr& icon) {
    m_handFallback = false;
    setBaseMouseIcon(icon);
    PropertyChanged(QStringLiteral("MouseIcon"));
}

ControlError XpButton::setShowFocusRect(bool value) {
    return storeAndRedraw(m_ShowFocusRect, value, "ShowFocusRect");
}

ControlError XpButton::GoToURL() {
    if (m_URL.left(7) == QLatin1String("mailto:")) {
        // The shell's answer is not looked at.
        shell()->shellExecute(parentWidget(), QStringLiteral("open"), m_URL);
        return ControlError::None;
    }
    if (!m_URL.isEmpty())
        return NavigateTo(m_URL, QString(), QString());
    return ControlError::None;
}

void XpButton::setURL(const QString& value) {
    store(m_URL, value, "URL");
}

ControlError XpButton::setCaption(const QString& value) {
    m_Caption = value;
    PropertyChanged(QStringLiteral("Caption"));
    setAccessKeys(accessKeyFromCaption(m_Caption));
    announceName();
    return Refresh();
}

ControlError XpButton::setButtonStyle(std::int32_t value) {
    m_ButtonStyle = value;
    PropertyChanged(QStringLiteral("ButtonStyle"));
    if (value == 3) {
        if (const ControlError error = setTransparentBG(false); error != ControlError::None)
            return error;
    }
    return UserControl_Resize();
}

ControlError XpButton::setPicturePosition(std::int32_t value) {
    return storeAndRedraw(m_PicturePosition, value, "PicturePosition");
}

ControlError XpButton::setPicture(const PicturePtr& picture) {
    m_Picture = picture;
    g_PictureNormal = picture;
    if (!picture) {
        m_OriginalPicSizeW = 32;
        m_OriginalPicSizeH = 32;
    } else {
        m_OriginalPicSizeW =
            wholePixels(ScaleX(picture->himetricWidth(), ScaleUnit::Himetric, ScaleMode()));
        m_OriginalPicSizeH =
            wholePixels(ScaleY(picture->himetricHeight(), ScaleUnit::Himetric, ScaleMode()));
    }
    PropertyChanged(QStringLiteral("Picture"));
    if (m_PictureSize == 2) {
        m_PictureWidth = m_OriginalPicSizeW;
        m_PictureHeight = m_OriginalPicSizeH;
    }
    return Refresh();
}

ControlError XpButton::setPictureWidth(std::int32_t value) {
    return storeAndRedraw(m_PictureWidth, value, "PictureWidth");
}

ControlError XpButton::setPictureHeight(std::int32_t value) {
    return storeAndRedraw(m_PictureHeight, value, "PictureHeight");
}

ControlError XpButton::setPictureSize(std::int32_t value) {
    m_PictureSize = value;
    PropertyChanged(QStringLiteral("PictureSize"));
    switch (value) {
    case 0:
        m_PictureWidth = 16;
        m_PictureHeight = 16;
        break;
    case 1:
        m_PictureWidth = 32;
        m_PictureHeight = 32;
        break;
    case 2:
        m_PictureWidth = m_Picture ? m_OriginalPicSizeW : 32;
        m_PictureHeight = m_Picture ? m_OriginalPicSizeH : 32;
        break;
    default:
        break;
    }
    return Refresh();
}

void XpButton::setPictureHover(const PicturePtr& picture) {
    store(m_PictureHover, picture, "PictureHover");
}

void XpButton::setXPColor_Pressed(ColorValue value) {
    store(m_XPColor_Pressed, value, "XPColor_Pressed");
}

void XpButton::setXPColor_Hover(ColorValue value) {
    store(m_XPColor_Hover, value, "XPColor_Hover");
}

void XpButton::setXPDefaultColors(bool value) {
    store(m_XPDefaultColors, value, "XPDefaultColors");
}

ControlError XpButton::setBackColor(ColorValue value) {
    m_BackColor = value;
    PropertyChanged(QStringLiteral("BackColor"));
    setBaseBackColor(value);
    return Refresh();
}

ControlError XpButton::setForeColor(ColorValue value) {
    m_ForeColor = value;
    PropertyChanged(QStringLiteral("ForeColor"));
    setBaseForeColor(value);
    return Refresh();
}

void XpButton::setVersion(const QString& value) {
    Q_UNUSED(value);
}

void XpButton::setDefCurHand(bool value) {
    m_DefCurHand = value;
    PropertyChanged(QStringLiteral("DefCurHand"));
    applyHand();
}

void XpButton::applyHand() {
    // Without its picture the hand is the desktop's pointing hand.
    m_handFallback = m_DefCurHand && !m_imgHAND;
    if (m_DefCurHand) {
        setBaseMouseIcon(m_imgHAND);
        setBaseMousePointer(99);
    } else {
        setBaseMouseIcon(nullptr);
    }
}

QCursor XpButton::customPointer() const {
    const PicturePtr icon = baseMouseIcon();
    if (icon && icon == m_imgHAND) {
        const QImage& image = icon->image();
        const QPoint tip = fingertip(image);
        return QCursor(QPixmap::fromImage(image), tip.x(), tip.y());
    }
    if (!icon && m_handFallback)
        return QCursor(Qt::PointingHandCursor);
    return ControlBase::customPointer();
}

void XpButton::setXPShowBorderAlways(bool value) {
    store(m_XPShowBorderAlways, value, "XPShowBorderAlways");
}

ControlError XpButton::setMaskColor(ColorValue value) {
    return storeAndRedraw(m_MaskColor, value, "MaskColor");
}

ControlError XpButton::setTransparentBG(bool value) {
    return storeAndRedraw(m_TransparentBG, value, "TransparentBG");
}

ControlError XpButton::setBEVEL(std::int16_t value) {
    return storeAndRedraw(m_BEVEL, value, "BEVEL");
}

ControlError XpButton::setBEVELDEPTH(std::int16_t value) {
    return storeAndRedraw(m_BEVELDEPTH, value, "BEVELDEPTH");
}
