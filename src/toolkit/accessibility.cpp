#include "toolkit/accessibility.h"

#include "toolkit/label.h"
#include "toolkit/rich_text_box.h"
#include "toolkit/shapes.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace toolkit {

namespace {

class LabelAccessible : public QAccessibleWidget
{
public:
    explicit LabelAccessible(Label *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    Label *label() const { return static_cast<Label *>(object()); }

    // Asked each time: a label may start acting as a button after it was first queried.
    QAccessible::Role role() const override
    {
        return label()->actsAsButton() ? QAccessible::Button : QAccessible::StaticText;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        // Back beneath Next is shown but cannot be seen or clicked.
        if (label()->actsAsButton() && !label()->isReachable())
            state.invisible = true;
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && label()->accessibleName().isEmpty())
            return label()->caption();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        if (label()->actsAsButton() && label()->isReachable())
            return {pressAction()};
        return {};
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            label()->activate();
    }

    QStringList keyBindingsForAction(const QString &actionName) const override
    {
        if (actionName == pressAction() && !label()->shortcutKey().isEmpty())
            return {label()->shortcutKey().toString(QKeySequence::NativeText)};
        return {};
    }
};

// A box the learner only reads: its sentence is its name. Its viewport and scroll bars are
// inner workings, not children worth announcing.
class RichTextAccessible : public QAccessibleWidget
{
public:
    explicit RichTextAccessible(RichTextBox *box)
        : QAccessibleWidget(box, QAccessible::StaticText)
    {
    }

    RichTextBox *box() const { return static_cast<RichTextBox *>(object()); }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && box()->accessibleName().isEmpty())
            return box()->text();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
};

// Lines of the page border and the arrow: decoration, nothing to announce.
class LineLayerAccessible : public QAccessibleWidget
{
public:
    explicit LineLayerAccessible(LineLayer *layer)
        : QAccessibleWidget(layer, QAccessible::Graphic)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

QAccessibleInterface *toolkitAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(Label::staticMetaObject.className()))
        return new LabelAccessible(static_cast<Label *>(object));
    if (className == QLatin1String(RichTextBox::staticMetaObject.className()))
        return new RichTextAccessible(static_cast<RichTextBox *>(object));
    if (className == QLatin1String(LineLayer::staticMetaObject.className()))
        return new LineLayerAccessible(static_cast<LineLayer *>(object));
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(toolkitAccessibleFactory);
}

} // namespace toolkit
