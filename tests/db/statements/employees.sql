
Select  	Sawon_Code, Sawon_Name,
	Sawon_Kubun,
	Sawon_Jumin = (Sawon_Jumin01 + '-' + Sawon_Jumin02),
            Sawon_Text
From    	Sawon_Table
Where    Sawon_Name Like ( :tbName )
Order     By Sawon_Code
