#pragma once
// The hidden names of the files being written, "." + prefix + "-" + a random
// number in base 36 + ".part", and a table of those not yet committed, which a
// signal handler can remove: it takes no lock, allocates nothing and calls
// only unlinkat.
#include <cstdint>
#include <string>

namespace platform::hiddenfiles {

// The longest prefix a hidden name may have.
inline constexpr std::size_t MaxPrefix = 32;

// Empty for a prefix longer than MaxPrefix.
std::string Name(const char* prefix, std::uint64_t number);
// Whether name is a hidden name of prefix.
bool IsName(const std::string& name, const char* prefix);

// Enters the file `Name(prefix, number)` of the folder descriptor; the prefix
// must live as long as the entry (a literal). Returns the entry's number, or
// -1 when the table is full: the file is then only removed by its owner or by
// the next run into its folder.
int Add(int folder, const char* prefix, std::uint64_t number);
void Drop(int entry);

// Removes every file of the table. Safe in a signal handler; meant for a
// handler that ends the program next.
void RemoveAll();

}  // namespace platform::hiddenfiles
