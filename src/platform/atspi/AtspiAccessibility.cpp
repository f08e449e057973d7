// The AT-SPI headers come first: GLib names struct members "signals", which Qt defines as a
// macro.
#include <atspi/atspi.h>

#include "platform/atspi/AtspiAccessibility.h"

#include "platform/atspi/AtspiCalls.h"
#include "platform/atspi/AtspiSelectedText.h"

#include <unistd.h>

#include <deque>

namespace glossivo {

namespace {

// A read makes several calls, the more the deeper a page nests its text, and an application
// busy with the selection just made answers slowly: a read may use a few call timeouts in all.
constexpr int timeoutsPerRead = 3;
constexpr int maxAncestors = 40;
constexpr int maxSearchedObjects = 400;

void onFocus(AtspiEvent* event, void* reader)
{
    if (event->detail1 == 1 && event->source)
        static_cast<AtspiAccessibility*>(reader)->focusChanged(event->source);
    g_boxed_free(ATSPI_TYPE_EVENT, event);
}

} // namespace

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
    AtspiBudget budget(m_timeout * timeoutsPerRead);
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
    AtspiSelectedText selection(budget);
    return selection.read(object.get());
}

std::optional<QString> AtspiAccessibility::documentAddress(qint64 pid)
{
    if (pid == qint64(getpid()) || !ensureStarted()) return std::nullopt;
    AtspiBudget budget(m_timeout * timeoutsPerRead);
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

AtspiAccessible* AtspiAccessibility::focusedObject(qint64 pid, AtspiBudget& budget)
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

AtspiAccessible* AtspiAccessibility::searchFocused(AtspiAccessible* application,
                                                   AtspiBudget& budget)
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
