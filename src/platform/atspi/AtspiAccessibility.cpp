// The AT-SPI headers come first: GLib names struct members "signals", which Qt defines as a
// macro.
#include <atspi/atspi.h>

#include "platform/atspi/AtspiAccessibility.h"

#include <unistd.h>

#include <algorithm>
#include <deque>
#include <utility>

namespace glossivo {

namespace {

// More than the 300 UTF-16 units of the context window on each side, whatever the text holds.
constexpr int sliceMargin = 400;
constexpr int maxAncestors = 40;
constexpr int maxSearchedObjects = 400;

// Holds one reference to a GObject and drops it at the end of the scope.
template <class T> class Ref {
public:
    explicit Ref(T* object = nullptr) : m_object(object) {}
    ~Ref()
    {
        if (m_object) g_object_unref(m_object);
    }
    Ref(Ref&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    Ref& operator=(Ref&& other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }
    T* get() const { return m_object; }
    T* release() { return std::exchange(m_object, nullptr); }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object;
};

// The UTF-16 position of the `codePoints`-th code point of a text.
qint64 utf16Offset(const QString& text, qint64 codePoints)
{
    qint64 units = 0;
    for (qint64 seen = 0; seen < codePoints && units < text.size(); ++seen)
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
    return units;
}

void onFocus(AtspiEvent* event, void* reader)
{
    if (event->detail1 == 1 && event->source)
        static_cast<AtspiAccessibility*>(reader)->focusChanged(event->source);
    g_boxed_free(ATSPI_TYPE_EVENT, event);
}

} // namespace

// Ends a read at the first call that failed or timed out, and once the read has used its time.
class AtspiAccessibility::Budget {
public:
    explicit Budget(std::chrono::milliseconds limit) : m_limit(limit.count()) { m_clock.start(); }

    // Whether the call that may have set `error` succeeded; a failure ends the read.
    bool ok(GError*& error)
    {
        if (error) {
            g_clear_error(&error);
            m_failed = true;
        }
        return !m_failed;
    }
    bool spent() const { return m_failed || m_clock.elapsed() >= m_limit; }

private:
    QElapsedTimer m_clock;
    qint64 m_limit;
    bool m_failed = false;
};

AtspiAccessibility::AtspiAccessibility(std::chrono::milliseconds timeout) : m_timeout(timeout)
{
    ensureStarted();
}

AtspiAccessibility::~AtspiAccessibility()
{
    if (m_listener) {
        auto* listener = static_cast<AtspiEventListener*>(m_listener);
        atspi_event_listener_deregister(listener, "object:state-changed:focused", nullptr);
        g_object_unref(listener);
    }
    if (m_focused) g_object_unref(m_focused);
}

bool AtspiAccessibility::isAvailable()
{
    return ensureStarted();
}

bool AtspiAccessibility::ensureStarted()
{
    if (m_start == Start::notYet) {
        const int status = atspi_init();
        m_start = status == 0 || status == 1 ? Start::running : Start::failed;
        if (m_start == Start::running) {
            atspi_set_timeout(int(m_timeout.count()), int(m_timeout.count()));
            AtspiEventListener* listener = atspi_event_listener_new(onFocus, this, nullptr);
            if (atspi_event_listener_register(listener, "object:state-changed:focused", nullptr))
                m_listener = listener;
            else
                g_object_unref(listener);
        }
    }
    return m_start == Start::running;
}

void AtspiAccessibility::focusChanged(AtspiAccessible* object)
{
    if (m_focused) g_object_unref(m_focused);
    m_focused = static_cast<AtspiAccessible*>(g_object_ref(object));
}

std::optional<AccessibleSelection> AtspiAccessibility::focusedSelection(qint64 pid)
{
    if (pid == qint64(getpid()) || !ensureStarted()) return std::nullopt;
    Budget budget(m_timeout);
    Ref<AtspiAccessible> object(focusedObject(pid, budget));
    if (!object || budget.spent()) return std::nullopt;
    GError* roleError = nullptr;
    const AtspiRole role = atspi_accessible_get_role(object.get(), &roleError);
    if (!budget.ok(roleError)) return std::nullopt;
    if (role == ATSPI_ROLE_PASSWORD_TEXT) {
        AccessibleSelection password;
        password.secret = true;
        return password;
    }
    Ref<AtspiText> text(atspi_accessible_get_text_iface(object.get()));
    if (!text) return std::nullopt;
    GError* error = nullptr;
    const int selections = atspi_text_get_n_selections(text.get(), &error);
    if (!budget.ok(error) || selections <= 0) return std::nullopt;
    AtspiRange* range = atspi_text_get_selection(text.get(), 0, &error);
    if (!budget.ok(error) || !range) return std::nullopt;
    const int start = std::min(range->start_offset, range->end_offset);
    const int end = std::max(range->start_offset, range->end_offset);
    g_free(range);
    if (start < 0 || end <= start || budget.spent()) return std::nullopt;

    const int count = atspi_text_get_character_count(text.get(), &error);
    const bool counted = budget.ok(error) && count >= end;
    const int sliceStart = counted ? std::max(0, start - sliceMargin) : start;
    const int sliceEnd = counted ? std::min(count, end + sliceMargin) : end;
    gchar* slice = atspi_text_get_text(text.get(), sliceStart, sliceEnd, &error);
    if (!budget.ok(error) || !slice) return std::nullopt;
    const QString value = QString::fromUtf8(slice);
    g_free(slice);

    const qint64 location = utf16Offset(value, start - sliceStart);
    const qint64 length = utf16Offset(value, end - sliceStart) - location;
    AccessibleSelection result{value.mid(location, length)};
    if (!counted) return result;
    result.value = value;
    result.selection = TextRange{location, length};
    const int caret = budget.spent() ? -1 : atspi_text_get_caret_offset(text.get(), &error);
    if (budget.ok(error) && caret >= sliceStart && caret <= sliceEnd)
        result.caret = utf16Offset(value, caret - sliceStart);
    return result;
}

std::optional<QString> AtspiAccessibility::documentAddress(qint64 pid)
{
    if (pid == qint64(getpid()) || !ensureStarted()) return std::nullopt;
    Budget budget(m_timeout);
    Ref<AtspiAccessible> current(focusedObject(pid, budget));
    GError* error = nullptr;
    for (int examined = 0; current && examined < maxAncestors && !budget.spent(); ++examined) {
        Ref<AtspiDocument> document(atspi_accessible_get_document_iface(current.get()));
        if (document) {
            for (const char* name : {"DocURL", "URI"}) {
                gchar* value = atspi_document_get_document_attribute_value(
                    document.get(), const_cast<gchar*>(name), &error);
                const QString address = QString::fromUtf8(value);
                g_free(value);
                if (!budget.ok(error)) return std::nullopt;
                if (!address.isEmpty()) return address;
            }
            return std::nullopt;
        }
        current = Ref<AtspiAccessible>(atspi_accessible_get_parent(current.get(), &error));
        if (!budget.ok(error)) return std::nullopt;
    }
    return std::nullopt;
}

AtspiAccessible* AtspiAccessibility::focusedObject(qint64 pid, Budget& budget)
{
    GError* error = nullptr;
    if (m_focused) {
        // The owner comes from the bus; only then may the object itself be asked. An object
        // whose application has gone is forgotten, and the search below takes over.
        const qint64 owner = qint64(atspi_accessible_get_process_id(m_focused, &error));
        if (error) {
            g_clear_error(&error);
            g_object_unref(std::exchange(m_focused, nullptr));
        } else if (owner != qint64(getpid()) && (pid == 0 || owner == pid)) {
            Ref<AtspiStateSet> states(atspi_accessible_get_state_set(m_focused));
            if (states && atspi_state_set_contains(states.get(), ATSPI_STATE_FOCUSED))
                return static_cast<AtspiAccessible*>(g_object_ref(m_focused));
        }
    }
    if (pid <= 0 || budget.spent()) return nullptr;
    Ref<AtspiAccessible> desktop(atspi_get_desktop(0));
    const int applications = desktop ? atspi_accessible_get_child_count(desktop.get(), &error) : 0;
    if (!budget.ok(error)) return nullptr;
    for (int i = 0; i < applications && !budget.spent(); ++i) {
        Ref<AtspiAccessible> application(
            atspi_accessible_get_child_at_index(desktop.get(), i, &error));
        if (!budget.ok(error)) return nullptr;
        if (!application) continue;
        const qint64 owner = qint64(atspi_accessible_get_process_id(application.get(), &error));
        if (!budget.ok(error)) return nullptr;
        if (owner == pid) return searchFocused(application.get(), budget);
    }
    return nullptr;
}

AtspiAccessible* AtspiAccessibility::searchFocused(AtspiAccessible* application, Budget& budget)
{
    GError* error = nullptr;
    std::deque<Ref<AtspiAccessible>> queue;
    // Only the active window is searched when the application says which one it is.
    const int windows = atspi_accessible_get_child_count(application, &error);
    if (!budget.ok(error)) return nullptr;
    std::deque<Ref<AtspiAccessible>> all;
    for (int i = 0; i < windows && !budget.spent(); ++i) {
        Ref<AtspiAccessible> window(atspi_accessible_get_child_at_index(application, i, &error));
        if (!budget.ok(error)) return nullptr;
        if (!window) continue;
        Ref<AtspiStateSet> states(atspi_accessible_get_state_set(window.get()));
        if (states && atspi_state_set_contains(states.get(), ATSPI_STATE_ACTIVE))
            queue.push_back(std::move(window));
        else
            all.push_back(std::move(window));
    }
    if (queue.empty()) queue = std::move(all);
    for (int searched = 0; !queue.empty() && searched < maxSearchedObjects && !budget.spent();
         ++searched) {
        Ref<AtspiAccessible> object = std::move(queue.front());
        queue.pop_front();
        Ref<AtspiStateSet> states(atspi_accessible_get_state_set(object.get()));
        if (states && atspi_state_set_contains(states.get(), ATSPI_STATE_FOCUSED))
            return object.release();
        const int children = atspi_accessible_get_child_count(object.get(), &error);
        if (!budget.ok(error)) return nullptr;
        for (int i = 0; i < children; ++i) {
            Ref<AtspiAccessible> child(
                atspi_accessible_get_child_at_index(object.get(), i, &error));
            if (!budget.ok(error)) return nullptr;
            if (child) queue.push_back(std::move(child));
        }
    }
    return nullptr;
}

} // namespace glossivo
