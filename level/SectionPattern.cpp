#include "level/SectionPattern.h"

namespace {

using Kind = SectionPattern::Kind;
using Entry = SectionPattern::Entry;

// Entries in creation order; the entry number is the index.
const Entry kPattern0[] = {
    {Kind::Platform, 0.0f, 0.0f},   {Kind::Platform, 1.0f, 3.0f},   {Kind::Platform, 3.0f, 2.0f},
    {Kind::Obstacle, 3.0f, 4.0f},   {Kind::Platform, 1.0f, 5.0f},   {Kind::Obstacle, -1.0f, 6.0f},
    {Kind::Platform, -3.0f, 7.0f},  {Kind::Platform, -1.0f, 9.0f},  {Kind::Platform, 0.0f, 10.0f},
    {Kind::Platform, -1.0f, 12.0f}, {Kind::Obstacle, 1.0f, 13.0f},  {Kind::Platform, 1.0f, 15.0f},
    {Kind::Obstacle, 2.0f, 16.0f},  {Kind::Platform, -2.0f, 17.0f}, {Kind::Platform, 0.0f, 19.0f},
};

const Entry kPattern1[] = {
    {Kind::Platform, -3.0f, 0.0f}, {Kind::Platform, -1.0f, 2.0f},  {Kind::Obstacle, 2.0f, 2.0f},
    {Kind::Platform, -1.0f, 5.0f}, {Kind::Platform, -2.0f, 7.0f},  {Kind::Platform, 1.5f, 7.0f},
    {Kind::Obstacle, 0.0f, 8.0f},  {Kind::Platform, 0.0f, 10.0f},  {Kind::Platform, 0.5f, 12.0f},
    {Kind::Platform, 4.0f, 13.0f}, {Kind::Platform, -2.0f, 14.0f}, {Kind::Obstacle, 4.0f, 15.0f},
    {Kind::Platform, 1.0f, 16.0f}, {Kind::Obstacle, -3.0f, 17.0f}, {Kind::Platform, -1.0f, 18.0f},
};

const Entry kPattern2[] = {
    {Kind::Platform, 1.0f, 0.0f},   {Kind::Platform, -3.0f, 2.0f}, {Kind::Obstacle, 1.0f, 3.0f},
    {Kind::Platform, 0.0f, 5.0f},   {Kind::Platform, -1.0f, 8.0f}, {Kind::Obstacle, 1.0f, 8.0f},
    {Kind::Platform, -1.0f, 10.0f}, {Kind::Platform, 3.0f, 12.0f}, {Kind::Platform, -2.0f, 14.0f},
    {Kind::Obstacle, 3.0f, 14.0f},  {Kind::Platform, 0.0f, 17.0f}, {Kind::Obstacle, -2.0f, 17.0f},
    {Kind::Platform, -3.0f, 19.0f},
};

template <std::size_t N>
SectionPattern Make(const Entry (&table)[N]) {
    SectionPattern pattern;
    pattern.entries = table;
    pattern.count = N;
    return pattern;
}

}  // namespace

SectionPattern SectionPattern::Get(int pattern) {
    switch (pattern) {
        case 1:
            return Make(kPattern1);
        case 2:
            return Make(kPattern2);
        default:
            return Make(kPattern0);
    }
}
