#pragma once

namespace brelker {

// How many disks a series spans, asked when the pieces cannot be counted on
// disk. One instance lives for the whole run: the question opens with the
// number last typed, and a cancelled one keeps the number last confirmed.
class DiskCountModel {
public:
    static constexpr int kFewestDisks = 1;
    static constexpr int kMostDisks = 32760;

    // The number being typed, kept within the bounds.
    int Number() const { return number_; }
    void SetNumber(int number);

    // An accepted question: the typed number becomes the disk count.
    void Confirm() { diskCount_ = number_; }
    // The number last confirmed (0 before the first confirmation).
    int DiskCount() const { return diskCount_; }

private:
    int number_ = kFewestDisks;
    int diskCount_ = 0;
};

}  // namespace brelker
