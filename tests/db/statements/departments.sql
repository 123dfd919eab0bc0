Select  Buser_Code, Buser_Name, Buser_Text
From    Buser_Table
Where  rtrim(Buser_Name) like ( :tbName )
Order   By  Buser_Code
