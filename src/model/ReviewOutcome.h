#pragma once

namespace glossivo {

// What one applied review did to the word; the review round shows a banner for the last two.
enum class ReviewOutcome { normal, graduated, becameLeech };

} // namespace glossivo
