#include "model/ElementDecoder.h"

#include <algorithm>

namespace glossivo {

std::optional<JsonObjectReader> ElementParser::object(QByteArrayView text)
{
    // The parser reads ahead in wide blocks past the end of the text, which a slice of a larger
    // buffer may not allow; a copy with padding is cheap beside the parse.
    m_padded.resize(size_t(text.size()) + simdjson::SIMDJSON_PADDING);
    std::copy(text.begin(), text.end(), m_padded.begin());
    simdjson::dom::element root;
    if (m_parser.parse(m_padded.data(), size_t(text.size()), false).get(root) != simdjson::SUCCESS)
        return std::nullopt;
    simdjson::dom::object object;
    if (root.get_object().get(object) != simdjson::SUCCESS) return std::nullopt;
    return JsonObjectReader(object);
}

} // namespace glossivo
