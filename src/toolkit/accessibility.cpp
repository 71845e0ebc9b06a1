#include "toolkit/accessibility.h"

#include "toolkit/frame.h"
#include "toolkit/label.h"
#include "toolkit/rich_text_box.h"
#include "toolkit/shapes.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMetaClassInfo>
#include <QVariant>

#include <algorithm>
#include <utility>
#include <vector>

namespace toolkit {

namespace {

QString shownText(const Label *label) { return label->caption(); }
QString shownText(const RichTextBox *box) { return box->text(); }

// A painted control: static text whose name, unless it is given one, is the text it shows.
template <typename Control>
class PaintedTextAccessible : public QAccessibleWidget
{
public:
    explicit PaintedTextAccessible(Control *control)
        : QAccessibleWidget(control, QAccessible::StaticText)
    {
    }

    Control *control() const { return static_cast<Control *>(object()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && control()->accessibleName().isEmpty())
            return shownText(control());
        return QAccessibleWidget::text(t);
    }
};

class LabelAccessible : public PaintedTextAccessible<Label>
{
public:
    using PaintedTextAccessible::PaintedTextAccessible;

    Label *label() const { return control(); }

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

// A box the learner only reads: its sentence is its name, with no children to announce.
class RichTextAccessible : public PaintedTextAccessible<RichTextBox>
{
public:
    using PaintedTextAccessible::PaintedTextAccessible;

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
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

constexpr char kKeptFromAssistiveTechnology[] = "keptFromAssistiveTechnology";

// The children as a sighted reader meets them. Qt would give them in stacking order, which
// says what is painted on top, not what comes first.
class ReadingOrderAccessible : public QAccessibleWidget
{
public:
    explicit ReadingOrderAccessible(QWidget *container)
        : QAccessibleWidget(container)
    {
    }

    int childCount() const override { return int(offeredChildren().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const std::vector<QWidget *> children = offeredChildren();
        if (index < 0 || index >= int(children.size()))
            return nullptr;
        return QAccessible::queryAccessibleInterface(children[size_t(index)]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const std::vector<QWidget *> children = offeredChildren();
        const auto it = std::find(children.begin(), children.end(),
                                  child ? child->object() : nullptr);
        return it == children.end() ? -1 : int(it - children.begin());
    }

    // The control a pointer there would hit, which is not the first one in reading order
    // where two overlap.
    QAccessibleInterface *childAt(int x, int y) const override
    {
        QWidget *hit = directChildAt(widget()->mapFromGlobal(QPoint(x, y)));
        return hit && isOffered(hit) ? QAccessible::queryAccessibleInterface(hit) : nullptr;
    }

private:
    QWidget *directChildAt(const QPoint &point) const
    {
        QWidget *hit = widget()->childAt(point);
        while (hit && hit->parentWidget() != widget())
            hit = hit->parentWidget();
        return hit;
    }

    bool isOffered(QWidget *child) const
    {
        if (child->isWindow() || child->size().isEmpty()
            || child->property(kKeptFromAssistiveTechnology).toBool())
            return false;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(child);
        if (!iface || iface->state().invisible
            || (iface->role() == QAccessible::StaticText
                && iface->text(QAccessible::Name).trimmed().isEmpty()))
            return false;
        // Beneath another control, as a prompt label lies beneath the prompt box.
        return directChildAt(child->geometry().center()) == child;
    }

    std::vector<QWidget *> offeredChildren() const
    {
        std::vector<QWidget *> found;
        for (QObject *object : widget()->children()) {
            auto *child = qobject_cast<QWidget *>(object);
            if (child && isOffered(child))
                found.push_back(child);
        }
        std::sort(found.begin(), found.end(), [](const QWidget *a, const QWidget *b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        // A line is what starts no lower than the middle of its topmost control, and it is
        // read from the left: a heading comes before the lists beside it that start higher.
        for (auto line = found.begin(); line != found.end();) {
            const int middle = (*line)->geometry().center().y();
            const auto next = std::find_if(line, found.end(),
                                           [middle](const QWidget *w) { return w->y() > middle; });
            std::stable_sort(line, next,
                             [](const QWidget *a, const QWidget *b) { return a->x() < b->x(); });
            line = next;
        }
        return found;
    }
};

bool declaresReadingOrder(const QObject *object)
{
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfClassInfo("AccessibleChildren");
    return index >= 0 && qstrcmp(meta->classInfo(index).value(), "ReadingOrder") == 0;
}

QAccessibleInterface *toolkitAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(Frame::staticMetaObject.className()))
        return new ReadingOrderAccessible(static_cast<Frame *>(object));
    if (object && object->isWidgetType()
        && className == QLatin1String(object->metaObject()->className())
        && declaresReadingOrder(object))
        return new ReadingOrderAccessible(static_cast<QWidget *>(object));
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

void keepFromAssistiveTechnology(QWidget *control)
{
    control->setProperty(kKeptFromAssistiveTechnology, true);
}

} // namespace toolkit
