#include "model/Unlock.h"

namespace glossivo {

namespace {
std::optional<int> first(const std::optional<Unlock::Progress>& progress)
{
    return progress ? std::optional<int>(progress->first) : std::nullopt;
}
} // namespace

bool Unlock::isEmpty() const
{
    return !newForm && !newGrammar && newAffixes.isEmpty() && familyMembers.isEmpty() &&
           !awakenedAfterDays;
}

bool Unlock::operator==(const Unlock& other) const
{
    return newForm == other.newForm && newGrammar == other.newGrammar &&
           newAffixes == other.newAffixes && familyMembers == other.familyMembers &&
           awakenedAfterDays == other.awakenedAfterDays &&
           first(formProgress) == first(other.formProgress) &&
           first(grammarProgress) == first(other.grammarProgress);
}

} // namespace glossivo
