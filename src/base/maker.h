#pragma once

// The maker's values written into every page and used by the Welcome links.
namespace vintora::maker {
inline constexpr const char *kNotice = "Copyright (C) 2026 Quendry";
inline constexpr const char *kMail = "vintora@quendry.example";
inline constexpr const char *kWebHost = "www.quendry.example";
inline constexpr const char *kWebAddress = "http://www.quendry.example/";
} // namespace vintora::maker
