#include "resources/StringTable.h"

#include <unordered_map>

namespace {

const std::unordered_map<unsigned, std::string>& Table()
{
    static const std::unordered_map<unsigned, std::string> table = {
#define KADREL_STRING(id, text) {id, text},
#include "kadrel_strings_all.inc"
#undef KADREL_STRING
    };
    return table;
}

}  // namespace

const std::string& LoadStringId(unsigned id)
{
    static const std::string empty;
    const auto& t = Table();
    auto it = t.find(id);
    return it == t.end() ? empty : it->second;
}

bool HasStringId(unsigned id)
{
    return Table().count(id) != 0;
}
