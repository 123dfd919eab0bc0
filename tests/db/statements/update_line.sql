  Update  Account_Qel_AA                                                                                      
          Set  Ac_QelCode   = :tbAc_QelCode,   Ac_QelName    = :tbAc_QelName,                                 
               Ac_Text      = :tbAc_Text,                                                                     
               Item_Code    = :tbItem_Code,    Item_Name     = :tbItem_Name,                                  
               Kubun_Code   = :tbKubun_Code,   Kubun_Name    = :tbKubun_Name,                                 
               Project_Code = :tbProject_Code, Project_Name  = :tbProject_Name,                               
               Buser_Code   = :tbBuser_Code,   Buser_Name    = :tbBuser_Name,                                 
               Sawon_Code   = :tbSawon_Code,   Sawon_Name    = :tbSawon_Name,                                 
               Cr_Amt       = :tbCr_Amt,       Dr_Amt        = :tbDr_Amt,                                     
               End_Day      = :tbEnd_Day                                                                      
  Where   rtrim(Date_Day) + rtrim(Serial_Qel) + rtrim(Serial_Bun) + rtrim(Serial_CrDr) = :tbSerial            
