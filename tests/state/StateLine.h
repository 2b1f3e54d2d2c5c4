#pragma once

#include <cstdint>
#include <string>

// One line of the state table: everything the program keeps between two
// callbacks, as `name=value` fields separated by single spaces, ending in a
// newline. Numbers are exact (see HexFloat.h); the trail is summed up by a
// digest of all its entries plus its newest entries in full.
std::string stateLine(const std::string& checkpoint);

// 64-bit FNV-1a over the bit patterns of every trail entry, in index order,
// x, y, z, each double fed least significant byte first: the same value on
// every target whatever its byte order.
std::uint64_t trailDigest();
