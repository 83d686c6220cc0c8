#pragma once

// Binding a library's functions at run time from one table. A binder
// declares a struct of typed function pointers and one constexpr table of
// rows {name, member}, in the order the names are looked up:
//
//     struct CompilerEntries { decltype(&kbxc) compile = nullptr; };
//     constexpr std::array kCompilerEntries{entry<&CompilerEntries::compile>("kbxc")};
//     ResolvedEntries<CompilerEntries> found = resolveEntries(library, kCompilerEntries);
//
// The look-up goes through the library's symbol<T>(name): a DynamicLibrary,
// or a stand-in of a test with the same call. What happens at a missing name
// (stop, go on, which message, which result) stays with the binder.

#include <array>
#include <cstddef>
#include <optional>
#include <type_traits>

namespace kbx::platform {

// A function found in a library, before it gets its real type.
using AnyFunction = void (*)();

template <typename Entries>
struct LibraryEntry {
    const char* name;
    // Gives the function found under `name` its type and stores it in its
    // member; null for a function that must be there but is not called.
    void (*store)(Entries& entries, AnyFunction function);
};

namespace detail {
template <typename MemberPointer>
struct MemberOf;
template <typename Struct, typename Member>
struct MemberOf<Member Struct::*> {
    using Owner = Struct;
    using Type = Member;
};
}  // namespace detail

// The row that takes the function `name` into `Member`, a pointer to one of
// the struct's function pointers.
template <auto Member>
constexpr auto entry(const char* name) {
    using Owner = typename detail::MemberOf<decltype(Member)>::Owner;
    using Pointer = typename detail::MemberOf<decltype(Member)>::Type;
    static_assert(std::is_pointer_v<Pointer> && std::is_function_v<std::remove_pointer_t<Pointer>>,
                  "an entry's member is a function pointer");
    return LibraryEntry<Owner>{name, [](Owner& entries, AnyFunction function) {
                                   entries.*Member = reinterpret_cast<Pointer>(function);
                               }};
}

// The row of a function the library must have although the binder never
// calls it.
template <typename Entries>
constexpr LibraryEntry<Entries> requiredEntry(const char* name) {
    return LibraryEntry<Entries>{name, nullptr};
}

// A name the library lacks: its place in the table (from 0) and the name.
struct MissingEntry {
    std::size_t position;
    const char* name;
};

enum class AfterMissing { stop, goOn };

template <typename Entries>
struct ResolvedEntries {
    Entries entries{};                         // null where a name was missing or not looked up
    std::optional<MissingEntry> firstMissing;  // none when every name was found
    bool complete() const { return !firstMissing.has_value(); }
};

// Looks up the table's names in its order. At each missing name asks
// `afterMissing(missing)` whether to stop there or go on with the next.
template <typename Library, typename Entries, std::size_t Count, typename Decision>
ResolvedEntries<Entries> resolveEntries(Library& library, const std::array<LibraryEntry<Entries>, Count>& table,
                                        Decision afterMissing) {
    ResolvedEntries<Entries> resolved;
    for (std::size_t position = 0; position < Count; ++position) {
        const LibraryEntry<Entries>& row = table[position];
        const AnyFunction function = library.template symbol<AnyFunction>(row.name);
        if (function != nullptr) {
            if (row.store != nullptr) row.store(resolved.entries, function);
            continue;
        }
        const MissingEntry missing{position, row.name};
        if (!resolved.firstMissing) resolved.firstMissing = missing;
        if (afterMissing(missing) == AfterMissing::stop) break;
    }
    return resolved;
}

// Looks up the table's names in its order, stopping at the first missing.
template <typename Library, typename Entries, std::size_t Count>
ResolvedEntries<Entries> resolveEntries(Library& library, const std::array<LibraryEntry<Entries>, Count>& table) {
    return resolveEntries(library, table, [](const MissingEntry&) { return AfterMissing::stop; });
}

// Looks up every name of the table, whatever is missing.
template <typename Library, typename Entries, std::size_t Count>
ResolvedEntries<Entries> resolveAllEntries(Library& library, const std::array<LibraryEntry<Entries>, Count>& table) {
    return resolveEntries(library, table, [](const MissingEntry&) { return AfterMissing::goOn; });
}

}  // namespace kbx::platform
