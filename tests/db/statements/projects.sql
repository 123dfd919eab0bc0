Select  Project_Code, Project_Name, Project_Text
From    Project_Table
Where  rtrim(Project_Name) like ( :tbName )             
Order   By  Project_Code
