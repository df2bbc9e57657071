#pragma once

#include "platform/host/controlerror.h"
#include "platform/host/olefont.h"
#include "platform/host/olepicture.h"

#include <QCursor>
#include <QImage>
#include <QList>
#include <QWidget>

#include <cstdint>
#include <optional>

class QShortcut;
class Shell;

// The base a windowed control is built on: a widget over a persistent drawing
// surface, with its own colours, font and pointer, sizes in twips and in its
// scale units, what its container tells it (the ambient properties and the
// extender), access keys, hyperlink navigation and a change notification.
//
// The base's own members carry the "base" prefix where the control built on
// it keeps a property of the same name (a button's BackColor property is not
// the base's BackColor).
class ControlBase : public QWidget {
    Q_OBJECT
public:
    enum class ScaleUnit {
        User = 0,
        Twips = 1,
        Points = 2,
        Pixels = 3,
        Characters = 4,
        Inches = 5,
        Millimeters = 6,
        Centimeters = 7,
        Himetric = 8
    };

    explicit ControlBase(QWidget* parent = nullptr);
    ~ControlBase() override;

    // The persistent surface, always of the client size (RGB32). While
    // AutoRedraw is true drawing lands there; setting it false shows it.
    QImage& hDC();
    const QImage& surface() const { return m_surface; }
    bool AutoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool on);
    // Clears the surface to the base's BackColor.
    void Cls();

    // Colours are 0x00BBGGRR or a system colour (high bit set). Setting the
    // back colour clears the surface to it, unless the caller has already
    // painted the surface in it.
    std::uint32_t baseBackColor() const { return m_backColor; }
    void setBaseBackColor(std::uint32_t colour, bool clear = true);
    std::uint32_t baseForeColor() const { return m_foreColor; }
    void setBaseForeColor(std::uint32_t colour) { m_foreColor = colour; }
    // The object itself is kept: later changes to it are the base's font.
    FontPtr baseFont() const { return m_font; }
    void setBaseFont(const FontPtr& font);
    // The control's own enabled setting; a disabled parent does not clear it.
    bool baseEnabled() const;
    void setBaseEnabled(bool enabled);
    // Pointer kinds 0 to 15 and 99 (the mouse icon); others are refused.
    std::int16_t baseMousePointer() const { return m_mousePointer; }
    ControlError setBaseMousePointer(std::int16_t pointer);
    PicturePtr baseMouseIcon() const { return m_mouseIcon; }
    void setBaseMouseIcon(const PicturePtr& icon);

    ScaleUnit ScaleMode() const { return m_scaleMode; }
    void setScaleMode(ScaleUnit mode) { m_scaleMode = mode; }
    // Client size in scale units.
    double ScaleWidth() const;
    double ScaleHeight() const;
    double ScaleX(double width, ScaleUnit from, ScaleUnit to) const;
    double ScaleY(double height, ScaleUnit from, ScaleUnit to) const;
    // Outer size in twips, 15 to a pixel.
    int Width() const;
    int Height() const;
    void setWidth(int twips);
    void setHeight(int twips);

    // Ambient properties, set by the container. Reading the font gives a new
    // object each time; an empty user mode means the host cannot tell.
    QString ambientDisplayName() const;
    FontPtr ambientFont() const { return OleFont::create(m_ambientFont); }
    std::optional<bool> ambientUserMode() const { return m_ambientUserMode; }
    void setAmbientDisplayName(const QString& name);
    void setAmbientFont(const FontAttributes& font);
    void setAmbientUserMode(std::optional<bool> userMode);

    // Extender: whether the container treats the control as its default
    // button (empty: it cannot tell), and its place in twips.
    std::optional<bool> extenderDefault() const { return m_extenderDefault; }
    void setExtenderDefault(std::optional<bool> isDefault) { m_extenderDefault = isDefault; }
    int extenderLeft() const;
    int extenderTop() const;

    // Characters that, with Alt, raise UserControl_AccessKeyPress while the
    // control's window is active.
    QString AccessKeys() const { return m_accessKeys; }
    void setAccessKeys(const QString& keys);

    // Where addresses are opened; the desktop's by default. Not owned.
    void setShell(Shell* shell);
    Shell* shell() const { return m_shell; }
    // Opens an address for the user. Location and frame name are accepted
    // for the host's sake; a desktop browser has no frames.
    ControlError NavigateTo(const QString& target, const QString& location = {},
                            const QString& frameName = {});

    // Tells the container that a property changed, so it saves again.
    void PropertyChanged(const QString& name) { emit propertyChanged(name); }

    QString Tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }

signals:
    void propertyChanged(const QString& name);
    // An entry point driven by the platform ended early; nothing else reports it.
    void errorRaised(const QString& message);

protected:
    virtual void UserControl_AccessKeyPress(std::int16_t& KeyAscii) { Q_UNUSED(KeyAscii); }
    virtual void UserControl_AmbientChanged(const QString& PropertyName) { Q_UNUSED(PropertyName); }
    // The cursor of pointer kind 99: the mouse icon, else the arrow.
    virtual QCursor customPointer() const;
    // Re-reads the pointer kind and icon into the widget's cursor.
    void applyPointer();

    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_surface;
    bool m_autoRedraw = false;
    std::uint32_t m_backColor = 0x8000000F;
    std::uint32_t m_foreColor = 0x80000012;
    FontPtr m_font = OleFont::create();
    std::int16_t m_mousePointer = 0;
    PicturePtr m_mouseIcon;
    ScaleUnit m_scaleMode = ScaleUnit::Twips;
    QString m_ambientDisplayName;
    FontAttributes m_ambientFont;
    std::optional<bool> m_ambientUserMode = true;
    std::optional<bool> m_extenderDefault = false;
    QString m_accessKeys;
    QList<QShortcut*> m_shortcuts;
    Shell* m_shell = nullptr;
    QString m_tag;
};

// Length conversions between scale units; characters are 120 twips wide and
// 240 twips high.
double scaleToPixels(double value, ControlBase::ScaleUnit unit, bool vertical);
double scaleFromPixels(double pixels, ControlBase::ScaleUnit unit, bool vertical);
