#pragma once
// What the divide-operator rules need of the platform: the primary language id of the system's
// default language (Windows numbering: Chinese 4, Japanese 17, Korean 18). The operating
// system is always of the family and version the rules ask for on this platform.

namespace tally {

struct ISystemLanguageQuery {
    virtual ~ISystemLanguageQuery() = default;
    virtual int PrimaryLanguageId() const = 0;
};

inline constexpr int kLangChinese = 4;
inline constexpr int kLangEnglish = 9;
inline constexpr int kLangJapanese = 17;
inline constexpr int kLangKorean = 18;

// A fixed answer: tests, the CLI, and the fallback when the platform knows nothing.
class TFixedSystemLanguage final : public ISystemLanguageQuery {
public:
    explicit TFixedSystemLanguage(int primaryLanguageId = kLangEnglish) : id_(primaryLanguageId) {}
    int PrimaryLanguageId() const override { return id_; }

private:
    int id_;
};

}  // namespace tally
