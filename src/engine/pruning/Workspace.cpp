#include "Workspace.h"

#include <memory>

namespace tandemx::engine {

SearchWorkspace::SearchWorkspace() : tables_(std::make_unique<pruning::Workspace>()) {}

SearchWorkspace::SearchWorkspace(const SearchWorkspace&) : SearchWorkspace() {}

SearchWorkspace& SearchWorkspace::operator=(const SearchWorkspace&)
{
    return *this;
}

SearchWorkspace::~SearchWorkspace() = default;

} // namespace tandemx::engine
