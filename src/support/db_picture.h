#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dfe::support {

// The product-code mask of the product tree: one group of digits per level, joined by '.', with the literals
// kept in the value ("9.99.999;1;_" for levels of 1, 2 and 3 digits), as CDARVPROD is stored.
class TDBPicture {
public:
    TDBPicture() = default;
    // From the levels' digit counts; counts below 1 are ignored.
    explicit TDBPicture(const std::vector<int>& levelDigits);
    // From an edit mask such as "9.99.999;1;_" (the first section is read).
    static TDBPicture FromMask(std::string_view mask);

    const std::string& Mask() const { return mask_; }
    // Number of levels of the tree.
    int GetTtNiveis() const { return static_cast<int>(levels_.size()); }
    const std::vector<int>& LevelDigits() const { return levels_; }
    // The level of a stored code ("1.01" is level 2); 0 when the code does not fit the levels.
    int LevelOf(std::string_view code) const;

private:
    std::vector<int> levels_;
    std::string mask_;
};

} // namespace dfe::support
