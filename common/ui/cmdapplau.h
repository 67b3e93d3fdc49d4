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
    // Elements 0 to index - 1 must exist and index must not.
    QToolButton* Load(int index);
    // Removes element index (1 or more).
    void Unload(int index);
    // Number of elements, the template included.
    int count() const;

signals:
    // A mouse button went down on element index (x, y relative to the element).
    void MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* parent_;
    std::vector<QToolButton*> elements_;
};

} // namespace qv
