#pragma once

// Who made the program and where it lives on the web: shown in the About window.
namespace zoltrek::maker {

inline constexpr char kAuthor[] = "Команда Zoltrek Calculator";
inline constexpr char kWebAddress[] = "http://zoltrek.example";

}  // namespace zoltrek::maker
