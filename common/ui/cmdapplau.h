// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The launch-button array of a main window: element 0 is the hidden template, elements 1 to 10
// the buttons of the page shown. Elements are created and removed at run time.
#include <QObject>
#include <QRect>
#include <QToolButton>
#include <vector>

namespace qv {

class LaunchButtonArray : public QObject {
    Q_OBJECT
public:
    // Creates the hidden template (element 0) on parent at the given geometry in twips.
    LaunchButtonArray(QWidget* parent, const QRect& templateTwips);
    ~LaunchButtonArray() override;

    // Element index, or nullptr when it is not loaded.
    QToolButton* element(int index) const;
    // Creates element index as a hidden copy of the template (same geometry and style).
    // Elements 0 to index - 1 must exist and index must not; otherwise nothing is created and
    // nullptr is returned.
    QToolButton* Load(int index);
    // Removes element index (1 or more); the template and elements not loaded are left alone.
    // The widget is hidden at once and deleted later, so a handler of its own press may unload it.
    void Unload(int index);
    // Number of elements, the template included.
    int count() const;

    // Geometry of a loaded element in twips (Left, Top, Width, Height), kept exactly as set so
    // that sums such as Left + Width + 120 stay exact; the widget is placed at it in pixels.
    QRect geometryTwips(int index) const;
    void setGeometryTwips(int index, const QRect& twips);

    // When on, Return, keypad Enter and Space on a focused element emit MouseDown for the left
    // button, so that a keyboard user starts the same way as a click.
    void setKeysPress(bool on) { keysPress_ = on; }
    // When on, the Delete key on a focused element emits MouseDown for the right button.
    void setDeleteKeyPress(bool on) { deleteKeyPress_ = on; }

signals:
    // A mouse button went down on element index (x, y in pixels relative to the element).
    void MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* parent_;
    // Index i holds element i, or nullptr where none is loaded.
    std::vector<QToolButton*> elements_;
    std::vector<QRect> twips_;
    bool keysPress_ = false;
    bool deleteKeyPress_ = false;
};

} // namespace qv
